#include "settings/win32/exclude_page.h"

#include <utility>

#include "res/resource.h"
#include "settings/excluded_apps_page.h"

namespace perch {

CExclude::CExclude(std::string edited) : PropertyPage(IDD_EXCLUDE), m_edited(std::move(edited)) {}

void CExclude::DoDataExchange(framework::DataExchange& dx) {
    ExchangeExcludedAppsPage(dx, m_edited);
}

bool CExclude::OnCommand(UINT id, UINT code) {
    if (id == IDC_EXCLUDED_APPS && code == EN_SETFOCUS) {
        // The dialog manager selects an edit's whole text when it moves the focus there;
        // one key would then replace the whole list. Drop the selection, keeping the caret
        // where it ended, and show the caret.
        HWND edit = GetDlgItem(Handle(), IDC_EXCLUDED_APPS);
        SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);
        SendMessageA(edit, EM_SCROLLCARET, 0, 0);
        return true;
    }
    return false;
}

}  // namespace perch
