#pragma once

#include <windows.h>

namespace framework {

// A control whose items its owner draws: the dialog that holds it passes on WM_DRAWITEM,
// WM_MEASUREITEM and WM_COMPAREITEM for the control's id.
//
// WM_MEASUREITEM for a fixed-height owner-drawn list arrives while the control is being
// created, before its window handle is known: MeasureItem must not need the handle.
class OwnerDrawControl {
  public:
    virtual ~OwnerDrawControl() = default;

    virtual void DrawItem(const DRAWITEMSTRUCT& item) = 0;
    virtual void MeasureItem(MEASUREITEMSTRUCT& item) = 0;
    // Negative when the first item sorts before the second, 0 when they are equal.
    virtual int CompareItem(const COMPAREITEMSTRUCT& items) = 0;

  protected:
    OwnerDrawControl() = default;
    OwnerDrawControl(const OwnerDrawControl&) = default;
    OwnerDrawControl& operator=(const OwnerDrawControl&) = default;
};

}  // namespace framework
