#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace framework {

// The system's toolbar control: buttons that send their command ids to the parent, with
// tooltips read from the string table (the text after "\n" of each command's string).
class Toolbar {
  public:
    // One image per button, side by side in the bitmap resource, imageWidth apart. The
    // bitmap's light gray becomes the button face.
    bool Create(HWND parent, UINT id, UINT bitmapId, const std::vector<UINT>& commands,
                SIZE buttonSize, SIZE imageSize);
    HWND Handle() const { return m_hwnd; }
    const std::vector<UINT>& Commands() const { return m_commands; }
    bool IsVisible() const;
    void SetButtonState(UINT command, bool enabled, bool checked);
    // Lets the control size itself to the parent's width; its height after that.
    int AutoSize();

  private:
    HWND m_hwnd = nullptr;
    std::vector<UINT> m_commands;
};

// The system's status bar with one pane, the message pane.
class StatusBar {
  public:
    bool Create(HWND parent, UINT id);
    HWND Handle() const { return m_hwnd; }
    bool IsVisible() const;
    void SetText(const std::string& text);
    // Lets the control place itself at the bottom of the parent; its height after that.
    int AutoSize();

  private:
    HWND m_hwnd = nullptr;
    std::string m_text;
};

}  // namespace framework
