#include "settings/win32/configure_page.h"

#include <array>

#include "res/resource.h"

namespace perch {
namespace {

// The items of the three lists, in the order of their values (a value is the item's
// position). The resource compiler has no portable way to carry list items in the dialog
// template, so the page adds them before the first exchange.
struct ListItems {
    int id;
    std::array<const char*, 3> items;
};
constexpr std::array<ListItems, 3> kLists = {{
    {IDC_SORT, {"File Name", "File Type", "Full Title"}},
    {IDC_CAPITALS, {"Lower", "Mixed", "Upper"}},
    {IDC_VISIBILITY, {"Normal", "Smart", "Always on Top"}},
}};

}  // namespace

CConfigure::CConfigure(const SettingsPageValues& values)
    : PropertyPage(IDD_CONFIGURE), m_values(values) {}

void CConfigure::DoDataExchange(framework::DataExchange& dx) {
    ExchangeSettingsPage(dx, m_values);
}

BOOL CConfigure::OnInitPage() {
    FillLists();
    PropertyPage::OnInitPage();
    if (m_values.Paths == 0) {
        ShowPathsFirst(false);
    }
    // The down-arrow key opens a list; F4 does not.
    for (const ListItems& list : kLists) {
        SendDlgItemMessageA(Handle(), list.id, CB_SETEXTENDEDUI, TRUE, 0);
    }
    return TRUE;
}

bool CConfigure::OnCommand(UINT id, UINT code) {
    if (id == IDC_SHOW_PATHS && code == BN_CLICKED) {
        ShowPathsFirst(IsDlgButtonChecked(Handle(), IDC_SHOW_PATHS) == BST_CHECKED);
        return true;
    }
    return false;
}

void CConfigure::FillLists() {
    for (const ListItems& list : kLists) {
        for (const char* item : list.items) {
            SendDlgItemMessageA(Handle(), list.id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
    }
}

void CConfigure::ShowPathsFirst(bool showPaths) {
    const PathsFirstState state = PathsFirstFor(showPaths);
    EnableWindow(GetDlgItem(Handle(), IDC_PATHS_FIRST), state.enabled ? TRUE : FALSE);
    CheckDlgButton(Handle(), IDC_PATHS_FIRST, state.checked ? BST_CHECKED : BST_UNCHECKED);
}

}  // namespace perch
