#pragma once

#include <span>
#include <string>
#include <string_view>

#include "board/accessible_board.h"
#include "board/arrangement.h"
#include "board/board_hosts.h"
#include "board/busy.h"
#include "board/event_ticks.h"
#include "board/frame_placement.h"
#include "board/frame_z_order.h"
#include "board/keyboard_cursor.h"
#include "board/layout.h"
#include "board/mouse.h"
#include "board/painter.h"
#include "board/refresh_cycle.h"
#include "board/selection.h"
#include "framework/command_status.h"
#include "platform/code_page.h"
#include "platform/window_system.h"
#include "settings/profile.h"
#include "settings/properties.h"
#include "settings/settings.h"
#include "tracker/event_filter.h"
#include "tracker/tracker.h"

namespace perch {

// How a screen reader asks to change the selection of a box.
enum class ReaderSelection { kNone, kOnly, kAdd, kRemove };

// The keys the board answers while it has the keyboard focus.
enum class BoardKey { kUp, kDown, kLeft, kRight, kHome, kEnd, kEnter, kSpace, kEscape };

// The title board: everything the board view owns and does, apart from turning window
// messages into calls and calls into GDI, which the Win32 view does. It owns the live
// Settings record and its stored copy, the font setting and its stored copy, the tracker
// and the refresh timer; its parts each own their own state and get references to just
// what they use:
//   BoardLayout     the grid (cell and board sizes, hit testing)
//   Selection       the selection list and the focus title
//   FrameZOrder     topmost or not, by the Visibility rules
//   FramePlacement  the frame's position and size, the fit after a paint, the edges
//   RefreshCycle    the refresh tick
//   BoardMouse      the mouse model
//   Arrangement     the commands on the watched application's windows
//   KeyboardCursor  the box the keys act on
//   AccessibleBoard the board as a screen reader sees it, and the events it is told
// The view and frame handles live in the tracker alone (SetBoardWindows), so the tick,
// the foreground check and the frame placement always mean the same frame.
class Board final : private BoardHost, private WindowEventSink {
  public:
    Board(WindowSystem& windows, Profile& profile, const CodePage& codePage, ViewHost& view,
          FrameHost& frame);
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;

    // The board's view window and the frame that holds it.
    void SetBoardWindows(WindowHandle view, WindowHandle frame);

    // --- What the view forwards ---

    // The view window was created: load the settings, make the font, place the frame,
    // start empty and start the refresh timer.
    void OnCreate();
    // One paint, in three steps: lay the grid out, draw it (over the erased background),
    // then fit the frame to it when a fit is due.
    void Paint(Painter& painter);
    // Draws the board for another program that prints the window (WM_PRINTCLIENT): the
    // same picture as a paint, erased first when asked, and nothing else (no fit, no
    // change to the layout or the settings).
    void Print(Painter& painter, bool eraseBackground);
    // Fills the whole client area with the background colour.
    void EraseBackground(Painter& painter);
    // A mouse message at a point in client coordinates with the message's key flags;
    // returns whether it goes on to default processing.
    bool OnMouse(MouseMessage message, unsigned keyFlags, Point point);
    // A key while the board has the keyboard focus, with Shift held or not; returns whether
    // the board used it. The arrows, Home and End move the keyboard cursor; Enter does what a
    // left press on the cursor's box does; Space adds it to or takes it out of the selection
    // (Ctrl+right click), Shift+Space selects only it (right click); Escape empties the
    // selection.
    bool OnKey(BoardKey key, bool shift);
    // Where a context menu opened from the keyboard goes, in client coordinates: the
    // bottom left of the cursor's box, or the board's top left on an empty board.
    Point ContextMenuPoint() const;
    // A timer message: a refresh tick for the refresh timer, or for the event timer when
    // it was waiting, while not busy.
    void OnTimer(unsigned timerId);
    // The view is going: the refresh timer stops.
    void OnDestroy();
    // Runs one of the board's commands; false when the id is not the board's.
    bool OnCommand(unsigned id);
    // Enabled and checked for the board's commands; unknown for every other id.
    framework::CommandStatus QueryCommand(unsigned id);

    // --- What the frame tells the board ---

    // The exit save: with Save on, the bars' state, the frame's rectangle into the
    // position, then the font, options and colours, each value only when it changed; with
    // Save off, only "Save" when it changed.
    void SaveSettingsOnExit();
    // The user moved the frame.
    void OnFrameMoved() { placement_.OnFrameMoved(); }
    // The frame is being minimized: it goes to the bottom, and the board empties (the
    // first tick after it is restored starts from nothing).
    void OnFrameMinimizing();
    // The frame was restored: topmost again unless Visibility is Normal, and repainted.
    void OnFrameRestored();
    // A bar was shown, hidden, docked or floated: with Auto Size the next paint fits the
    // frame again.
    void OnBarsChanged();
    // The frame moved to a monitor of another DPI (and the system sized it for that DPI):
    // the board font is made again for it and the board laid out again.
    void OnDpiChanged();

    // --- What the shell asks ---

    bool ShowsSplash() const { return settings_.Splash != 0; }
    // Whether the frame's menu bar is meant to show.
    bool MenuShown() const { return settings_.Menu != 0; }
    // The narrowest the frame can be made just now.
    int MinimumFrameWidth() const { return placement_.MinimumFrameWidth(); }

    // --- Options ---

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

    // --- What the board shows (read only) ---

    const Settings& settings() const { return settings_; }
    const Settings& storedSettings() const { return storedSettings_; }
    const FontDescription& font() const { return font_; }
    const Tracker& tracker() const { return tracker_; }
    const BoardLayout& layout() const { return layout_; }
    const Selection& selection() const { return selection_; }
    const FramePlacement& placement() const { return placement_; }
    const FrameZOrder& zOrder() const { return zOrder_; }
    const KeyboardCursor& cursor() const { return cursor_; }
    const AccessibleBoard& accessible() const { return accessible_; }

    // A screen reader's default action on box i ("Activate"): what Enter does on it. False
    // for a box that no longer exists.
    bool ActivateBox(int index);
    // A screen reader's selection request on box i: the keyboard cursor moved there when
    // `takeFocus`, and the selection changed as asked. False for a box that no longer
    // exists.
    bool SelectBox(int index, bool takeFocus, ReaderSelection change);
    bool IsBusy() const { return busy_.IsBusy(); }

  private:
    friend struct BoardTestAccess;
    struct Command;
    // The board's commands: id, what it does, when it is enabled and checked.
    static std::span<const Command> Commands();

    // --- BoardHost ---
    // Invalidates the title's box (one pixel lower, as it is filled); false when the
    // title has no box.
    bool InvalidateTitleBox(std::string_view title) override;
    void InvalidateAll() override;

    // --- WindowEventSink ---
    // An event that can change the board brings the next tick forward (EventTicks); the
    // rest are ignored (EventFilter).
    void OnWindowEvent(const WindowEvent& event) override;

    void CreateBoardFont();
    // The display list made again from the current titles, and the selection kept to them.
    void RebuildDisplay();
    void EmptyBoard();
    // After anything that may have changed the board: the screen readers' events, and the
    // cursor's whole title in the status bar while the cursor shows.
    void Announce();

    WindowSystem& windows_;
    ViewHost& view_;
    FrameHost& frame_;
    Profile& profile_;
    Settings settings_;
    Settings storedSettings_;
    FontDescription font_;
    FontDescription storedFont_;
    Tracker tracker_;
    BusyFlag busy_;
    BoardLayout layout_;
    FrameZOrder zOrder_;
    FramePlacement placement_;
    Selection selection_;
    RefreshCycle refresh_;
    BoardMouse mouse_;
    Arrangement arrangement_;
    KeyboardCursor cursor_;
    AccessibleBoard accessible_;
    std::string shownStatus_;  // the cursor's title as the status bar shows it
    unsigned timerId_ = 0;     // what the refresh timer reports
    EventFilter eventFilter_;
    EventTicks eventTicks_;
};

}  // namespace perch
