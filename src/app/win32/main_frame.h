#pragma once

#include <windows.h>

#include "app/frame_rules.h"
#include "board/board_hosts.h"
#include "board/win32/perch_view.h"
#include "framework/win32/frame_window.h"

namespace perch {

// The program's only top-level window: a small frame around the title board, with an
// optional menu bar (compact or full by its width), a toolbar and a status bar. It adapts
// its caption and menu to its width, keeps its minimum sizes from the screen width, lets
// go of a screen edge when the user moves it away, prepares the board for minimizing and
// restoring, and runs the board's exit save when it closes.
class CMainFrame final : public framework::FrameWindow, public FrameHost {
  public:
    CMainFrame(WindowSystem& windows, Profile& profile, const CodePage& codePage);
    ~CMainFrame() override;

    // Creates the frame, and inside it the board view and the bars; false on failure.
    bool CreateFrame();

    CPerchView& view() { return m_view; }
    const CPerchView& view() const { return m_view; }

    // --- FrameHost ---
    int MinTrackWidth() const override { return m_metrics.minTrackWidth; }
    // At least as tall as a toolbar docked at a side, so all its buttons show.
    int MinTrackHeight() const override;
    void RemoveMenu() override;
    void SelectMenu(int clientWidth, bool force) override;
    void SaveBarState() override;
    void ShowStatusText(std::string_view text) override;
    int FrameDpi() const override { return m_dpi; }

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnFrameCommand(UINT id) override;
    framework::CommandStatus QueryFrameCommand(UINT id) override;

  private:
    LRESULT OnCreate();
    // The lowest the user can drag the frame: the screen's minimum, or the height that
    // leaves the view what MinTrackHeight asks for.
    int MinFrameHeight() const;
    void OnSize(WPARAM type, int cx);
    LRESULT OnSysCommand(WPARAM id, LPARAM param);
    // Saves the settings on the way out; the refresh timer keeps running.
    void PrepareToClose();
    // Shows or hides the bars as they were saved, and docks or floats the toolbar.
    void LoadBarState();
    // A bar was shown, hidden, docked or floated: the view gets the space left, and with
    // Auto Size the frame fits the board again.
    void OnBarsChanged();
    // The frame moved to a monitor of another DPI: bars, thresholds and board at its size,
    // the frame at the rectangle the system suggests.
    void OnDpiChanged(int dpi, const RECT& suggested);

    WindowSystem& m_windows;
    Profile& m_profile;
    CPerchView m_view;
    FrameMetrics m_metrics;  // until the screen is measured, the 810-1029 row
    int m_dpi = framework::kBaseDpi;  // of the monitor the frame is on
    HMENU m_compactMenu = nullptr;
    HMENU m_fullMenu = nullptr;
    bool m_compactMenuInUse = true;
};

}  // namespace perch
