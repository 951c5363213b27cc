#include "settings/win32/perch_property_sheet.h"

#include "settings/win32/color_select_page.h"
#include "settings/win32/configure_page.h"
#include "settings/win32/exclude_page.h"

namespace perch {

bool ShowPropertiesSheet(HWND owner, PropertiesPages& pages) {
    CPerchPropertySheet sheet(owner);
    CConfigure settingsPage(pages.settings);
    CColorSelect colorsPage(pages.colors);
    CExclude excludedPage(pages.excludedApps);
    sheet.AddPage(settingsPage);
    sheet.AddPage(colorsPage);
    sheet.AddPage(excludedPage);
    if (sheet.DoModal() != IDOK) {
        return false;
    }
    // A page that was never shown still holds the values it was built with.
    pages.settings = settingsPage.values();
    pages.colors = colorsPage.values();
    pages.excludedApps = excludedPage.edited();
    return true;
}

}  // namespace perch
