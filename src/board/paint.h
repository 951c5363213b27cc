#pragma once

#include "board/keyboard_cursor.h"
#include "board/layout.h"
#include "board/painter.h"
#include "board/selection.h"
#include "settings/settings.h"
#include "tracker/tracker.h"

namespace perch {

// Draws the board as laid out, over a background already erased: fills the focus box and
// the selected boxes, draws the texts, (with Show Boxes) the etched grid lines, and the
// keyboard cursor once it is shown. It draws and does nothing else.
void DrawBoard(const Settings& settings, const BoardLayout& layout, const Tracker& tracker,
               const Selection& selection, const KeyboardCursor& cursor, Painter& painter);

// The grid's fixed colours: the shadow and the light line of each etched edge.
inline constexpr ColorRef kGridShadowColor = MakeColor(127, 127, 127);
inline constexpr ColorRef kGridLightColor = MakeColor(255, 255, 255);

}  // namespace perch
