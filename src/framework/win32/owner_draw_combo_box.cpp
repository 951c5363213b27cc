#include "framework/win32/owner_draw_combo_box.h"

namespace framework {

int OwnerDrawComboBox::AddItemData(ULONG_PTR data) {
    // Without CBS_HASSTRINGS the "string" of CB_ADDSTRING is kept as the item data.
    return static_cast<int>(SendMessageA(m_hwnd, CB_ADDSTRING, 0, static_cast<LPARAM>(data)));
}

int OwnerDrawComboBox::GetCount() const {
    return static_cast<int>(SendMessageA(m_hwnd, CB_GETCOUNT, 0, 0));
}

ULONG_PTR OwnerDrawComboBox::GetItemData(int index) const {
    return static_cast<ULONG_PTR>(
        SendMessageA(m_hwnd, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

int OwnerDrawComboBox::GetCurSel() const {
    return static_cast<int>(SendMessageA(m_hwnd, CB_GETCURSEL, 0, 0));
}

void OwnerDrawComboBox::SetCurSel(int index) {
    SendMessageA(m_hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

}  // namespace framework
