#pragma once

#include <windows.h>

#include "board/board.h"
#include "board/win32/board_accessible.h"
#include "framework/win32/command_target.h"
#include "framework/win32/window.h"

namespace perch {

// The title board's window (the frame's first pane). It owns the board and turns window
// messages into calls on it and its drawing calls into GDI; every rule is the board's.
class CPerchView final : public framework::Window,
                         public ViewHost,
                         public framework::CommandTarget {
  public:
    CPerchView(WindowSystem& windows, Profile& profile, const CodePage& codePage, FrameHost& frame);
    ~CPerchView() override;

    // Creates the view as the frame's first pane; the board is created with it.
    bool CreateView(HWND frame);

    Board& board() { return m_board; }
    const Board& board() const { return m_board; }

    // --- ViewHost ---
    void InvalidateRect(const Rect& rect) override;
    void InvalidateAll() override;
    void ShowMessage(unsigned stringId) override;
    unsigned StartTimer(unsigned id, int periodMs) override;
    void StopTimer(unsigned timerId) override;
    int LogPixelsY() override;
    bool SetBoardFont(const FontDescription& font) override;
    void RedrawNow() override;
    bool RunFontDialog(FontDescription& font) override;
    bool RunPropertiesSheet(PropertiesPages& pages) override;
    void NotifyAccessibleEvent(AccessibleEvent event, int box) override;

    // --- CommandTarget ---
    bool OnCommand(UINT id) override;
    framework::CommandStatus QueryCommand(UINT id) override;

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    LRESULT OnPaint();
    LRESULT OnMouse(MouseMessage message, UINT message32, WPARAM wParam, LPARAM lParam);
    // A key the board answers; false for every other key.
    bool OnKeyDown(WPARAM key);
    // The board's commands in a pop-up menu at the keyboard cursor's box.
    void ShowBoardMenu();
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    void ReleaseFont();

    Board m_board;
    HFONT m_font = nullptr;                   // the board font, owned here
    int m_fontDpi = framework::kBaseDpi;      // the DPI m_font was made for
    BoardAccessible* m_accessible = nullptr;  // made at the first request, one reference ours
};

}  // namespace perch
