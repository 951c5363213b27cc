#pragma once

#include "board/painter.h"

namespace perch {

class Board;

// One paint of the board, over a background already erased: lays the grid out, fills the
// focus box and the selected boxes, draws the texts and (with Show Boxes) the etched grid
// lines, then fits the frame to the grid when a fit is due.
void PaintBoard(Board& board, Painter& painter);

// The background erase: the whole client area in the background colour.
void EraseBoardBackground(Board& board, Painter& painter);

// The grid's fixed colours: the shadow and the light line of each etched edge.
inline constexpr ColorRef kGridShadowColor = MakeColor(127, 127, 127);
inline constexpr ColorRef kGridLightColor = MakeColor(255, 255, 255);

}  // namespace perch
