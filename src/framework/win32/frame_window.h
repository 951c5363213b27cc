#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "framework/win32/command_target.h"
#include "framework/win32/control_bars.h"
#include "framework/win32/help_viewer.h"
#include "framework/win32/window.h"

namespace framework {

// Asks a frame for a help topic: lParam is the help id. Dialogs of the frame (a property
// sheet's Help button) send it to their owner.
inline constexpr UINT kWmShowHelpTopic = WM_APP + 0x365;

// A top-level frame around one view, with an optional menu bar, a toolbar at the top and a
// status bar at the bottom.
//
// Commands (menu items, accelerators, toolbar buttons) go to the view's command target
// first, then to the frame's own (OnFrameCommand). Their state comes from the same targets
// (QueryCommand): menus are updated when they open, toolbar buttons at idle (UpdateBars),
// and a command that is disabled is not carried out, whichever way it came.
//
// The status bar's message pane shows the idle message ("Ready") unless a menu item is
// highlighted or the pointer rests on a toolbar button, when it shows that command's
// prompt; items of the system menu show the system-command prompts.
//
// Help: the frame carries the help commands. "Index" opens the help file's contents, "Using
// Help" the viewer's own help, F1 the topic of the menu item highlighted (F1 pressed in a
// menu) or else of the frame's main window, and Shift+F1 a mode in which the next click on
// a menu item, a toolbar button, the status bar or the view opens that one's topic (Escape
// or a click elsewhere leaves it).
class FrameWindow : public Window {
  public:
    // helpResourceId: the frame's own resource, whose topic F1 opens when no menu item is
    // highlighted.
    explicit FrameWindow(UINT helpResourceId) : m_helpResourceId(helpResourceId) {}

    // The view fills the space between the bars; it is the frame's first pane.
    void SetView(Window* view, CommandTarget* viewTarget);
    Window* View() const { return m_view; }

    // Places the bars and the view in the client area.
    void RecalcLayout();
    // Applies command state to the toolbar's buttons; called at idle.
    void UpdateBars();
    // Shows the idle message in the status bar: the view's own message when it set one,
    // otherwise the frame's ("Ready").
    void ShowIdleMessage();
    // The view's own idle message, shown at once; "" gives the frame's back.
    void SetIdleMessage(const std::string& text);

    Toolbar& ToolBar() { return m_toolBar; }
    const Toolbar& ToolBar() const { return m_toolBar; }
    StatusBar& StatusBarPane() { return m_statusBar; }
    const StatusBar& StatusBarPane() const { return m_statusBar; }

    // Carries out a command through the view's target, then the frame's own; false when
    // neither knows it or it is disabled.
    bool RouteCommand(UINT id);
    CommandStatus QueryCommandStatus(UINT id);

    // The help viewer, made ready on first use.
    HelpViewer& Help();
    void ShowHelpTopic(DWORD helpId) { Help().ShowTopic(helpId); }

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The frame's own commands and their state.
    virtual bool OnFrameCommand(UINT id);
    virtual CommandStatus QueryFrameCommand(UINT id);

    // Shows or hides a bar (by its window id); returns whether it changed.
    bool ToggleBar(UINT barId);

    // Closes the help viewer the frame opened (when the frame goes).
    void CloseHelp() { m_help.Close(); }

  private:
    bool OnHelpCommand(UINT id);
    void RunContextHelpMode();
    // Ends the Shift+F1 mode: Perch was left, or something else took the mouse capture.
    void EndContextHelpMode();
    // The capture went to another window (none: the system cancelled the mode the window
    // was in); ends the Shift+F1 mode unless the mode itself is opening the menu bar.
    void OnCaptureChanged(HWND newCapture);
    // The help id of what lies at a screen point, or none when it is not the frame's.
    std::optional<DWORD> HelpIdAt(POINT screen);
    void OnMenuLoop(bool entering);
    static LRESULT CALLBACK MenuKeyHook(int code, WPARAM wParam, LPARAM lParam);

    void OnInitMenuPopup(HMENU menu);
    void OnMenuSelect(UINT item, UINT flags, HMENU menu);
    LRESULT OnNotify(NMHDR* header);

    Window* m_view = nullptr;
    CommandTarget* m_viewTarget = nullptr;
    Toolbar m_toolBar;
    StatusBar m_statusBar;
    std::string m_tooltip;  // kept alive for the tooltip control while it shows

    const UINT m_helpResourceId;
    HelpViewer m_help;
    bool m_helpReady = false;
    std::string m_idleMessage;  // the view's idle message ("" none)
    UINT m_highlightedCommand = 0;  // the menu item highlighted now (0: none)
    UINT m_menuHelpCommand = 0;     // the menu item F1 was pressed on
    HHOOK m_menuKeyHook = nullptr;  // watches for F1 while a menu is open
    bool m_contextHelpMode = false;       // the Shift+F1 mode's loop is running
    bool m_contextHelpEnded = false;      // it is to end without a topic
    bool m_contextHelpOpensMenu = false;  // it let the capture go to open the menu bar
};

}  // namespace framework
