#include "board/win32/gdi_painter.h"

namespace perch {
namespace {

int TextLength(std::string_view text) {
    // A title is at most 255 bytes; the bound only keeps the cast honest.
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
    if (!GetTextExtentPoint32A(m_dc, text.data(), TextLength(text), &size)) {
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
    ExtTextOutA(m_dc, at.x, at.y, 0, nullptr, text.data(), static_cast<UINT>(TextLength(text)),
                nullptr);
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
