#pragma once

#include <windows.h>

#include "framework/win32/property_sheet.h"
#include "settings/properties.h"

namespace perch {

// Perch's properties sheet, captioned "Properties", opening on its first page.
class CPerchPropertySheet final : public framework::PropertySheet {
  public:
    explicit CPerchPropertySheet(HWND parent) : PropertySheet("Properties", parent, 0) {}
};

// Runs the properties sheet modally over `owner` with the Settings, Colors and Excluded Apps
// pages built from `pages`. With OK the pages' values are copied back and the answer is
// true; otherwise `pages` is left as it was.
bool ShowPropertiesSheet(HWND owner, PropertiesPages& pages);

}  // namespace perch
