#pragma once

#include <windows.h>

#include <array>

#include "framework/win32/owner_draw_combo_box.h"
#include "framework/win32/property_sheet.h"
#include "settings/colors_page.h"

namespace perch {

// A drop-down list of colour swatches: each item's data is a colour, drawn as a plain
// swatch 20 pixels high, the selected one framed in its inverse colour; the list sorts
// darker colours first.
class CColorCombo final : public framework::OwnerDrawComboBox {
  public:
    void DrawItem(const DRAWITEMSTRUCT& item) override;
    void MeasureItem(MEASUREITEMSTRUCT& item) override;
    int CompareItem(const COMPAREITEMSTRUCT& items) override;
};

// The Colors page of the properties sheet (template IDD_COLORS): the text, background,
// highlight and focus colours, each picked from the sixteen colours of kColorTable.
class CColorSelect final : public framework::PropertyPage {
  public:
    explicit CColorSelect(const ColorsPageValues& values);

    const ColorsPageValues& values() const { return m_values; }

  protected:
    BOOL OnInitPage() override;
    bool OnKillActive() override;

  private:
    ColorsPageValues m_values;
    // In the order of the values: text, background, highlight, focus.
    std::array<CColorCombo, ColorsPageValues::kLists> m_lists;
};

}  // namespace perch
