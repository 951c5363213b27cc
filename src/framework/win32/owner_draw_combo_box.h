#pragma once

#include <windows.h>

#include "framework/win32/owner_draw.h"

namespace framework {

// An owner-drawn combo box without strings (CBS_OWNERDRAWFIXED or CBS_OWNERDRAWVARIABLE,
// no CBS_HASSTRINGS): each item is a value of the owner's (its item data) that the derived
// class draws, measures and, for a sorted list, compares.
//
// The object is registered with its page by control id before the dialog exists (see
// PropertyPage::AddOwnerDraw) and attached to the control once it does.
class OwnerDrawComboBox : public OwnerDrawControl {
  public:
    OwnerDrawComboBox() = default;
    OwnerDrawComboBox(const OwnerDrawComboBox&) = delete;
    OwnerDrawComboBox& operator=(const OwnerDrawComboBox&) = delete;

    void Attach(HWND combo) { m_hwnd = combo; }
    HWND Handle() const { return m_hwnd; }

    // Adds an item carrying `data`; a sorted list places it by CompareItem. The new item's
    // position, or a negative value when it could not be added.
    int AddItemData(ULONG_PTR data);
    int GetCount() const;
    // The item data at a position (CB_ERR when there is no such item).
    ULONG_PTR GetItemData(int index) const;
    // The selected position, -1 when none.
    int GetCurSel() const;
    // Selects a position; -1 clears the selection.
    void SetCurSel(int index);

  private:
    HWND m_hwnd = nullptr;
};

}  // namespace framework
