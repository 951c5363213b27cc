#include "settings/win32/perch_property_sheet.h"

#include "framework/help_ids.h"
#include "framework/win32/frame_window.h"

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
    // Help (the button or F1) opens the showing page's topic through the frame's help.
    sheet.SetHelpHandler([owner](UINT pageTemplateId) {
        SendMessageA(owner, framework::kWmShowHelpTopic, 0,
                     static_cast<LPARAM>(framework::HelpIdForResource(pageTemplateId)));
    });
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
