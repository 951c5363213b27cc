#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/dpi_scale.h"
#include "framework/win32/window.h"

namespace framework {

// The side of its frame a toolbar is docked to.
enum class BarSide { kTop, kBottom, kLeft, kRight };

class Toolbar;

// The small window a toolbar floats in: a tool-window caption with a close box. Closing it
// hides the toolbar; double-clicking its caption, or dropping it near an edge of the frame,
// docks the toolbar again.
class FloatingPalette final : public Window {
  public:
    explicit FloatingPalette(Toolbar& toolbar) : m_toolbar(toolbar) {}

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    Toolbar& m_toolbar;
};

// The system's toolbar control: buttons that send their command ids to the frame, with
// tooltips read from the string table (the text after "\n" of each command's string). It
// docks on any side of its frame (horizontal at the top and bottom, one button a row at
// the sides) or floats in a palette of its own. The user drags it by its empty part (not a
// button): dropped near an edge of the frame's client area it docks there, dropped outside
// the frame it floats where it was dropped.
class Toolbar {
  public:
    Toolbar() = default;
    Toolbar(const Toolbar&) = delete;
    Toolbar& operator=(const Toolbar&) = delete;
    ~Toolbar();

    // One image per button, side by side in the bitmap resource, imageWidth apart. The
    // bitmap's light gray becomes the button face. onLayoutChanged is called after the
    // toolbar docked somewhere else, floated or was shown or hidden. The sizes are at 96
    // DPI; the toolbar shows them at the DPI of the frame's monitor (SetDpi).
    bool Create(HWND frame, UINT id, UINT bitmapId, const std::vector<UINT>& commands,
                SIZE buttonSize, SIZE imageSize, std::function<void()> onLayoutChanged);
    HWND Handle() const { return m_hwnd; }
    const std::vector<UINT>& Commands() const { return m_commands; }
    void SetButtonState(UINT command, bool enabled, bool checked);
    // The frame moved to a monitor of another DPI: buttons, images and grip at its size.
    void SetDpi(int dpi);

    bool IsVisible() const;
    void Show(bool visible);
    bool IsFloating() const { return m_floating; }
    BarSide Side() const { return m_side; }
    // The palette's screen position while floating (or where it last floated).
    POINT FloatPosition() const { return m_floatAt; }
    void Dock(BarSide side);
    // Floats the toolbar in its palette at a screen point, or the nearest place on a
    // monitor where it can be seen and taken hold of.
    void Float(POINT screenAt);
    // The palette follows the frame: disabled while the frame is (a modal dialog is open).
    void EnablePalette(bool enabled);
    // The palette was moved by the user.
    void NoteFloatPosition(POINT screenAt) { m_floatAt = screenAt; }

    // How tall the client area must be to show every button: the buttons' column while
    // docked at a side, 0 otherwise.
    int HeightNeeded() const;
    // Takes the toolbar's place out of the frame's client rectangle and puts it there.
    void LayoutIn(RECT& client);

    // A drop at a screen point: the side of the frame it docks to, or floating.
    void DropAt(POINT screen);
    // The side whose edge zone of the frame's client area holds the point, if any.
    bool SideAt(POINT screen, BarSide* side) const;

  private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
    // The buttons' extent in one row, or one column.
    SIZE StripSize(bool vertical) const;
    void LayoutChanged();

    HWND m_hwnd = nullptr;
    HWND m_frame = nullptr;
    HBITMAP m_bitmap = nullptr;
    HIMAGELIST m_images = nullptr;  // made after a DPI change; ours to destroy
    UINT m_bitmapId = 0;
    SIZE m_button96{};
    SIZE m_image96{};
    int m_dpi = kBaseDpi;
    int Scaled(int pixels96) const { return ScaleToDpi(pixels96, m_dpi); }
    int GripWidth() const;
    std::vector<UINT> m_commands;
    // What SetButtonState last made of each button (its enabled and checked bits, by
    // position in m_commands): the frame asks at every idle moment, and most times
    // nothing has changed, so the control is asked nothing either.
    std::vector<UINT> m_stateBits;
    std::function<void()> m_onLayoutChanged;
    BarSide m_side = BarSide::kTop;
    bool m_floating = false;
    bool m_shown = true;
    bool m_dragging = false;
    POINT m_floatAt{100, 100};
    FloatingPalette m_palette{*this};
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
