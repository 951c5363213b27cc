#pragma once

#include <windows.h>

#include "framework/win32/property_sheet.h"
#include "settings/settings_page.h"

namespace perch {

// The Settings page of the properties sheet (template IDD_CONFIGURE): the window flags, the
// three lists, and the column, character and interval limits. Its values start as a copy
// of the Settings record's and are read back after OK.
class CConfigure final : public framework::PropertyPage {
  public:
    explicit CConfigure(const SettingsPageValues& values);

    const SettingsPageValues& values() const { return m_values; }

  protected:
    void DoDataExchange(framework::DataExchange& dx) override;
    BOOL OnInitPage() override;
    bool OnCommand(UINT id, UINT code) override;

  private:
    void FillLists();
    void ShowPathsFirst(bool showPaths);

    SettingsPageValues m_values;
};

}  // namespace perch
