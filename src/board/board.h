#pragma once

#include <string_view>

#include "board/arrangement.h"
#include "board/board_hosts.h"
#include "board/frame_placement.h"
#include "board/layout.h"
#include "board/mouse.h"
#include "board/painter.h"
#include "board/selection.h"
#include "platform/window_system.h"
#include "settings/profile.h"
#include "settings/settings.h"
#include "tracker/code_page.h"
#include "tracker/refresh_cycle.h"
#include "tracker/tracker.h"

namespace perch {

// Whether a command is the board's (or the frame's) and how its menu item and toolbar
// button show.
struct CommandState {
    bool known = false;
    bool enabled = false;
    bool checked = false;
    bool operator==(const CommandState&) const = default;
};

// The title board: everything the board view owns and does, apart from turning window
// messages into calls and calls into GDI, which the Win32 view does. It owns the tracker,
// the live Settings record and its stored copy, the board flags and the timer id; its
// parts (layout, frame placement, selection, mouse, arrangement commands) each keep to
// one idea and share this state.
//
// The view and frame handles live in the tracker alone (SetBoardWindows), so the tick,
// the foreground check and the frame placement always mean the same frame.
class Board final : public BoardHost {
  public:
    // font and storedFont are the process-wide font setting and its stored copy.
    Board(WindowSystem& windows, Profile& profile, const CodePage& codePage, ViewHost& view,
          FrameHost& frame, FontDescription& font, FontDescription& storedFont);
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;

    // The board's view window and the frame that holds it.
    void SetBoardWindows(WindowHandle view, WindowHandle frame);

    // --- What the view forwards ---

    // The view window was created: load the settings, make the font, place the frame,
    // start empty and start the refresh timer. Returns 0.
    int OnCreate();
    // Draws the board over the erased background and fits the frame when it is due.
    void Paint(Painter& painter);
    // Fills the whole client area with the background colour.
    void EraseBackground(Painter& painter);
    // A mouse message at a point in client coordinates with the message's key flags;
    // returns whether it goes on to default processing.
    bool OnMouse(MouseMessage message, unsigned keyFlags, Point point);
    // A timer message: a refresh tick for the refresh timer while not busy.
    void OnTimer(unsigned timerId);
    // Runs a board command; false when the id is not the board's.
    bool OnCommand(unsigned id);
    // Enabled and checked for every command of the menus, toolbar and accelerators.
    CommandState QueryCommand(unsigned id);
    // The exit save: with Save on, the bars' state, the frame's rectangle into the
    // position, then the font, options and colours, each value only when it changed; with
    // Save off, only "Save" when it changed.
    void SaveSettingsOnExit();
    // Empties the title lists, the display list and the selection (the frame is being
    // minimized: the first tick after it is restored starts from nothing).
    void EmptyBoard();

    // Set font: the font dialog between sending the frame to the bottom and making it
    // topmost again (unless Visibility is Normal); a chosen font becomes the board font.
    void OnSetFont();
    // Properties: the properties sheet, with the same z-order steps; OK applies it.
    void OnProperties();
    // Takes an accepted sheet into the running board, in this order: the flags, First,
    // the limits, the interval (the timer restarted only when it changed), the sort
    // order, the visibility, the menu, the display list, Auto Size (redrawn at once), the
    // colours, the exclusion list, and a final invalidation.
    void ApplySettings(const PropertiesPages& pages);

    // The frame was moved by the user.
    void OnFrameMoved() { placement.OnFrameMoved(); }

    // What the frame sets: topmost after it made itself topmost on restore, a fit due
    // when a bar was shown or hidden, an edge let go of when it was moved.
    void SetTopmostApplied(int value) { flags.topmostApplied = value; }
    void SetResizePending(int value) { flags.resizePending = value; }
    void SetSnapRight(int value) { placement.snapRight = value; }
    void SetSnapBottom(int value) { placement.snapBottom = value; }

    // --- BoardHost ---

    // Invalidates the title's box (one pixel lower, as it is filled); false when the
    // title has no box.
    bool InvalidateTitleBox(std::string_view title) override;
    void InvalidateAll() override;

    // --- State ---

    WindowSystem& windows;
    ViewHost& viewHost;
    FrameHost& frameHost;
    Settings settings;
    Settings storedSettings;
    FontDescription& font;
    FontDescription& storedFont;
    Tracker tracker;
    BoardFlags flags;
    int firstPaint = 1;    // no paint has restored the stored size yet
    unsigned timerId = 0;  // what the refresh timer reports
    BoardLayout layout;
    FramePlacement placement;
    Selection selection;
    BoardMouse mouse;
    Arrangement arrangement;

  private:
    void CreateBoardFont();
    // After the font dialog or the sheet: topmost again unless Visibility is Normal.
    void RestoreTopmostAfterDialog();

    Profile& profile_;
};

}  // namespace perch
