#include "settings/settings_page.h"

#include "res/resource.h"

namespace perch {

SettingsPageValues SettingsPageValues::From(const Settings& s) {
    SettingsPageValues v;
    v.NumColumns = static_cast<std::uint32_t>(s.NumColumns);
    v.Splash = s.Splash;
    v.Menu = s.Menu;
    v.SmartPos = s.SmartPos;
    v.Paths = s.Paths;
    v.Boxes = s.Boxes;
    v.First = s.First;
    v.Resize = s.Resize;
    v.Focus = s.Focus;
    v.Capitals = s.Capitals;
    v.Sort = s.Sort;
    v.Visibility = s.Visibility;
    v.Update = s.Update;
    v.NumChars = s.NumChars;
    return v;
}

void ExchangeSettingsPage(framework::DataExchange& dx, SettingsPageValues& v) {
    dx.Unsigned(IDC_NUM_COLUMNS, v.NumColumns, kMinColumns, kMaxColumns);
    dx.Check(IDC_SHOW_SPLASH, v.Splash);
    dx.ListIndex(IDC_CAPITALS, v.Capitals);
    dx.ListIndex(IDC_SORT, v.Sort);
    dx.ListIndex(IDC_VISIBILITY, v.Visibility);
    dx.Real(IDC_UPDATE, v.Update, kMinUpdate, kMaxUpdate);
    dx.Check(IDC_SHOW_MENU, v.Menu);
    dx.Check(IDC_SMART_POS, v.SmartPos);
    dx.Check(IDC_SHOW_PATHS, v.Paths);
    dx.Check(IDC_SHOW_BOXES, v.Boxes);
    dx.Check(IDC_PATHS_FIRST, v.First);
    dx.Check(IDC_AUTO_SIZE, v.Resize);
    dx.Check(IDC_SHOW_FOCUS, v.Focus);
    dx.Integer(IDC_NUM_CHARS, v.NumChars, kMinChars, kMaxChars);
}

}  // namespace perch
