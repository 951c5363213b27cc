#pragma once

#include <string_view>

#include "board/painter.h"
#include "platform/window_system.h"

namespace perch {

class Board;

// The mouse messages the board handles.
enum class MouseMessage {
    kLeftDown,
    kLeftUp,
    kLeftDoubleClick,
    kRightDown,
    kRightUp,
    kRightDoubleClick,
    kMove,
};

// MK_CONTROL in a mouse message's key flags.
inline constexpr unsigned kMkControl = 0x0008;

// The board's mouse model. The left button acts at once on one window: a press on a box
// brings that document forward and its application to the foreground. The right button
// builds the selection: a click selects one box, Ctrl+click adds or removes one, a
// double-click empties it. A left double-click brings a hidden menu bar back. No
// dragging, no hover effects, no range selection.
class BoardMouse {
  public:
    explicit BoardMouse(Board& board) : board_(board) {}

    // Returns whether the message goes on to default processing.
    bool OnMouse(MouseMessage message, unsigned keyFlags, Point point);

    // Raises the document among its siblings (its application's active document now),
    // asks a minimized one to restore itself, and brings the application to the
    // foreground. Nothing when either window is missing or the application is hung.
    void ActivateDocument(WindowHandle document, WindowHandle app);

    int ignoreNextRelease = 0;  // set by a right double-click: its last release selects nothing

  private:
    bool OnLeftPress(Point point);
    bool OnLeftDoubleClick();
    bool OnRightRelease(unsigned keyFlags, Point point);

    Board& board_;
};

}  // namespace perch
