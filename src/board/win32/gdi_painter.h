#pragma once

#include <windows.h>

#include <map>

#include "board/painter.h"

namespace perch {

// The board's drawing calls as GDI on one device context, for the length of one paint:
// text mapping mode, a transparent text background and the board font (when there is one)
// are selected on construction and put back on destruction. Brushes and pens are made for
// the call that needs them (pens once per colour) and deleted within the paint.
class GdiPainter final : public Painter {
  public:
    // dpi: what the board is drawn at (the font is made for it).
    GdiPainter(HDC dc, HFONT font, int dpi = framework::kBaseDpi);
    ~GdiPainter() override;
    GdiPainter(const GdiPainter&) = delete;
    GdiPainter& operator=(const GdiPainter&) = delete;

    TextExtent MeasureText(std::string_view text) override;
    void FillRect(const Rect& rect, ColorRef color) override;
    void DrawText(Point at, std::string_view text, ColorRef color) override;
    void DrawLine(Point from, Point to, ColorRef color) override;
    void DrawFocusRect(const Rect& rect) override;
    int Dpi() const override { return m_dpi; }

  private:
    HDC m_dc;
    int m_dpi;
    int m_oldMapMode;
    int m_oldBkMode;
    COLORREF m_oldTextColor;
    HGDIOBJ m_oldFont = nullptr;
    HGDIOBJ m_oldPen = nullptr;
    std::map<ColorRef, HPEN> m_pens;
};

}  // namespace perch
