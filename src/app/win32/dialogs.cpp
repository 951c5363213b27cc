#include "app/win32/dialogs.h"

#include <algorithm>
#include <string>

#include "res/resource.h"

namespace perch {
namespace {

// The notice line is kept reversed in the program's data and turned round when shown, so
// that it does not stand in the executable as plain text.
constexpr char kReversedNotice[] = "nedlaH 6202 )C( thgirypoC";

}  // namespace

CSplash::CSplash() : Dialog(IDD_SPLASH) {}

BOOL CSplash::OnInitDialog() {
    framework::CenterOnDesktop(Handle());
    return TRUE;
}

CAboutBox::CAboutBox() : Dialog(IDD_ABOUTBOX) {}

BOOL CAboutBox::OnInitDialog() {
    std::string notice(kReversedNotice);
    std::reverse(notice.begin(), notice.end());
    SetDlgItemTextA(Handle(), IDC_ABOUT_NOTICE, notice.c_str());
    return TRUE;
}

}  // namespace perch
