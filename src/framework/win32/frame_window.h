#pragma once

#include <windows.h>

#include <string>

#include "framework/win32/command_target.h"
#include "framework/win32/control_bars.h"
#include "framework/win32/window.h"

namespace framework {

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
class FrameWindow : public Window {
  public:
    // The view fills the space between the bars; it is the frame's first pane.
    void SetView(Window* view, CommandTarget* viewTarget);
    Window* View() const { return m_view; }

    // Places the bars and the view in the client area.
    void RecalcLayout();
    // Applies command state to the toolbar's buttons; called at idle.
    void UpdateBars();
    // Shows the idle message in the status bar.
    void ShowIdleMessage();

    Toolbar& ToolBar() { return m_toolBar; }
    const Toolbar& ToolBar() const { return m_toolBar; }
    StatusBar& StatusBarPane() { return m_statusBar; }
    const StatusBar& StatusBarPane() const { return m_statusBar; }

    // Carries out a command through the view's target, then the frame's own; false when
    // neither knows it or it is disabled.
    bool RouteCommand(UINT id);
    CommandStatus QueryCommandStatus(UINT id);

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The frame's own commands and their state.
    virtual bool OnFrameCommand(UINT id);
    virtual CommandStatus QueryFrameCommand(UINT id);

    // Shows or hides a bar (by its window id); returns whether it changed.
    bool ToggleBar(UINT barId);

  private:
    void OnInitMenuPopup(HMENU menu);
    void OnMenuSelect(UINT item, UINT flags, HMENU menu);
    LRESULT OnNotify(NMHDR* header);

    Window* m_view = nullptr;
    CommandTarget* m_viewTarget = nullptr;
    Toolbar m_toolBar;
    StatusBar m_statusBar;
    std::string m_tooltip;  // kept alive for the tooltip control while it shows
};

}  // namespace framework
