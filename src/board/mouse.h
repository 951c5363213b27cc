#pragma once

#include <string>
#include <string_view>

#include "board/board_hosts.h"
#include "board/busy.h"
#include "board/frame_placement.h"
#include "board/layout.h"
#include "board/painter.h"
#include "board/selection.h"
#include "platform/window_system.h"
#include "settings/settings.h"
#include "tracker/tracker.h"

namespace perch {

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
    BoardMouse(Tracker& tracker, Settings& settings, const BoardLayout& layout,
               Selection& selection, FramePlacement& placement, BusyFlag& busy, FrameHost& frame,
               BoardHost& host)
        : tracker_(tracker),
          settings_(settings),
          layout_(layout),
          selection_(selection),
          placement_(placement),
          busy_(busy),
          frame_(frame),
          host_(host) {}

    // Returns whether the message goes on to default processing.
    bool OnMouse(MouseMessage message, unsigned keyFlags, Point point);

    // What a left press on a box does, for the box showing the title: busy meanwhile, the
    // title becomes the focus title, and its document is activated.
    void ActivateTitle(const std::string& title);

    // Raises the document among its siblings (its application's active document now),
    // asks a minimized one to restore itself, and brings the application to the
    // foreground. Nothing when either window is missing or the application is hung.
    void ActivateDocument(WindowHandle document, WindowHandle app);

  private:
    bool OnLeftPress(Point point);
    bool OnLeftDoubleClick();
    bool OnRightRelease(unsigned keyFlags, Point point);

    Tracker& tracker_;
    Settings& settings_;
    const BoardLayout& layout_;
    Selection& selection_;
    FramePlacement& placement_;
    BusyFlag& busy_;
    FrameHost& frame_;
    BoardHost& host_;
    int ignoreNextRelease_ = 0;  // set by a right double-click: its last release selects nothing
};

}  // namespace perch
