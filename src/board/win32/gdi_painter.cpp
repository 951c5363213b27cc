#include "board/win32/gdi_painter.h"

#include <string>

#include "framework/win32/wide_text.h"

namespace perch {
namespace {

// The board's texts are UTF-8; GDI gets them as wide text, so every script is drawn with
// its own characters (the font's fallback supplies the glyphs it lacks).
int TextLength(const std::wstring& text) {
    // A title is at most 255 characters; the bound only keeps the cast honest.
    return static_cast<int>(text.size() < 0x7FFF ? text.size() : 0x7FFF);
}

}  // namespace

GdiPainter::GdiPainter(HDC dc, HFONT font, int dpi)
    : m_dc(dc),
      m_dpi(dpi),
      m_oldMapMode(SetMapMode(dc, MM_TEXT)),
      m_oldBkMode(SetBkMode(dc, TRANSPARENT)),
      m_oldTextColor(GetTextColor(dc)) {
    if (font != nullptr) {
        m_oldFont = SelectObject(dc, font);
    }
}

GdiPainter::~GdiPainter() {
    if (m_oldPen != nullptr) {
        SelectObject(m_dc, m_oldPen);
    }
    for (const auto& [color, pen] : m_pens) {
        DeleteObject(pen);
    }
    if (m_oldFont != nullptr) {
        SelectObject(m_dc, m_oldFont);
    }
    SetTextColor(m_dc, m_oldTextColor);
    SetBkMode(m_dc, m_oldBkMode);
    SetMapMode(m_dc, m_oldMapMode);
}

TextExtent GdiPainter::MeasureText(std::string_view text) {
    SIZE size{};
    const std::wstring wide = framework::Widen(text);
    if (!GetTextExtentPoint32W(m_dc, wide.c_str(), TextLength(wide), &size)) {
        return {};
    }
    return {static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

void GdiPainter::FillRect(const Rect& rect, ColorRef color) {
    HBRUSH brush = CreateSolidBrush(color);
    if (brush == nullptr) {
        return;
    }
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    ::FillRect(m_dc, &r, brush);
    DeleteObject(brush);
}

void GdiPainter::DrawText(Point at, std::string_view text, ColorRef color) {
    SetTextColor(m_dc, color);
    const std::wstring wide = framework::Widen(text);
    ExtTextOutW(m_dc, at.x, at.y, 0, nullptr, wide.c_str(), static_cast<UINT>(TextLength(wide)),
                nullptr);
}

void GdiPainter::DrawFocusRect(const Rect& rect) {
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    ::DrawFocusRect(m_dc, &r);
}

void GdiPainter::DrawLine(Point from, Point to, ColorRef color) {
    HPEN& pen = m_pens[color];
    if (pen == nullptr) {
        pen = CreatePen(PS_SOLID, 1, color);
        if (pen == nullptr) {
            m_pens.erase(color);
            return;
        }
    }
    HGDIOBJ previous = SelectObject(m_dc, pen);
    if (m_oldPen == nullptr) {
        m_oldPen = previous;
    }
    MoveToEx(m_dc, from.x, from.y, nullptr);
    LineTo(m_dc, to.x, to.y);
}

}  // namespace perch
