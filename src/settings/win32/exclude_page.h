#pragma once

#include <windows.h>

#include <string>

#include "framework/win32/property_sheet.h"

namespace perch {

// The Excluded Apps page of the properties sheet (template IDD_EXCLUDE): the exclusion
// list, one application title a line. It holds the list in its edited form.
class CExclude final : public framework::PropertyPage {
  public:
    // `edited`: the list with one entry a line (ExcludedAppsToEdited).
    explicit CExclude(std::string edited);

    const std::string& edited() const { return m_edited; }

  protected:
    void DoDataExchange(framework::DataExchange& dx) override;
    bool OnCommand(UINT id, UINT code) override;

  private:
    std::string m_edited;
};

}  // namespace perch
