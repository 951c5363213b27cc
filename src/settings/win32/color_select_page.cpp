#include "settings/win32/color_select_page.h"

#include <optional>

#include "framework/win32/strings.h"
#include "res/resource.h"

namespace perch {
namespace {

// The lists' control ids, in the order of ColorsPageValues.
constexpr std::array<UINT, ColorsPageValues::kLists> kListIds = {IDC_TEXT_COLOR, IDC_BKGND_COLOR,
                                                                 IDC_HLT_COLOR, IDC_FOCUS_COLOR};

constexpr UINT kItemHeight = 20;

void FrameItem(HDC dc, const RECT& rect, ColorRef color) {
    HBRUSH brush = CreateSolidBrush(color);
    if (brush != nullptr) {
        FrameRect(dc, &rect, brush);
        DeleteObject(brush);
    }
}

}  // namespace

// --- CColorCombo ---

void CColorCombo::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) {
        // No selection: an empty field.
        if ((item.itemAction & ODA_DRAWENTIRE) != 0) {
            FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
        }
        return;
    }
    const auto color = static_cast<ColorRef>(item.itemData);
    if ((item.itemAction & ODA_DRAWENTIRE) != 0) {
        HBRUSH brush = CreateSolidBrush(color);
        if (brush != nullptr) {
            FillRect(item.hDC, &item.rcItem, brush);
            DeleteObject(brush);
        }
    }
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (selected && (item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0) {
        FrameItem(item.hDC, item.rcItem, InverseColor(color));
    }
    if (!selected && (item.itemAction & ODA_SELECT) != 0) {
        // Painting the frame in the swatch's own colour takes the inverse frame away.
        FrameItem(item.hDC, item.rcItem, color);
    }
    // ODA_FOCUS alone: no focus rectangle on a swatch.
}

void CColorCombo::MeasureItem(MEASUREITEMSTRUCT& item) {
    // Items and the selection field (itemID -1) alike.
    item.itemHeight = kItemHeight;
}

int CColorCombo::CompareItem(const COMPAREITEMSTRUCT& items) {
    return CompareColors(static_cast<ColorRef>(items.itemData1),
                         static_cast<ColorRef>(items.itemData2));
}

// --- CColorSelect ---

CColorSelect::CColorSelect(const ColorsPageValues& values)
    : PropertyPage(IDD_COLORS), m_values(values) {
    for (std::size_t i = 0; i < m_lists.size(); ++i) {
        AddOwnerDraw(kListIds[i], m_lists[i]);
    }
}

BOOL CColorSelect::OnInitPage() {
    PropertyPage::OnInitPage();
    for (std::size_t i = 0; i < m_lists.size(); ++i) {
        m_lists[i].Attach(GetDlgItem(Handle(), static_cast<int>(kListIds[i])));
    }
    // Each list sorts what it is given.
    for (ColorRef color : kColorTable) {
        for (CColorCombo& list : m_lists) {
            list.AddItemData(color);
        }
    }
    // A colour that is not in the table leaves its list without a selection.
    for (int position = 0; position < static_cast<int>(kColorTable.size()); ++position) {
        for (std::size_t i = 0; i < m_lists.size(); ++i) {
            if (static_cast<ColorRef>(m_lists[i].GetItemData(position)) == m_values.colors[i]) {
                m_lists[i].SetCurSel(position);
            }
        }
    }
    return TRUE;
}

bool CColorSelect::OnKillActive() {
    std::array<std::optional<ColorRef>, ColorsPageValues::kLists> selected;
    for (std::size_t i = 0; i < m_lists.size(); ++i) {
        const int position = m_lists[i].GetCurSel();
        if (position >= 0) {
            selected[i] = static_cast<ColorRef>(m_lists[i].GetItemData(position));
        }
    }
    if (const std::optional<int> empty = TakeSelectedColors(selected, m_values)) {
        MessageBoxA(Handle(), kSelectColorMessage, framework::AppTitle().c_str(), MB_OK);
        SendMessageA(Handle(), WM_NEXTDLGCTL,
                     reinterpret_cast<WPARAM>(m_lists[static_cast<std::size_t>(*empty)].Handle()),
                     TRUE);
        return false;
    }
    return PropertyPage::OnKillActive();
}

}  // namespace perch
