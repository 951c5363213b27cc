#include "framework/win32/dialog_data_exchange.h"

#include "framework/win32/strings.h"
#include "framework/win32/wide_text.h"

namespace framework {

std::string DialogDataExchange::GetText(int id) {
    return GetWindowTextUtf8(GetDlgItem(m_dialog, id));
}

void DialogDataExchange::SetText(int id, const std::string& text) {
    SetWindowTextUtf8(GetDlgItem(m_dialog, id), text);
}

void DialogDataExchange::LimitText(int id, std::size_t maxChars) {
    SendDlgItemMessageA(m_dialog, id, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
}

int DialogDataExchange::GetCheck(int id) {
    return static_cast<int>(SendDlgItemMessageA(m_dialog, id, BM_GETCHECK, 0, 0));
}

void DialogDataExchange::SetCheck(int id, int state) {
    SendDlgItemMessageA(m_dialog, id, BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

int DialogDataExchange::GetSelection(int id) {
    // CB_ERR (-1) when nothing is selected.
    return static_cast<int>(SendDlgItemMessageA(m_dialog, id, CB_GETCURSEL, 0, 0));
}

void DialogDataExchange::SetSelection(int id, int index) {
    // -1 clears the selection.
    SendDlgItemMessageA(m_dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DialogDataExchange::ReportFailure(int id, const std::string& message, bool isEdit) {
    ShowMessageBox(m_dialog, message);
    HWND control = GetDlgItem(m_dialog, id);
    if (control == nullptr) {
        return;
    }
    // WM_NEXTDLGCTL rather than SetFocus: the dialog manager then moves the default-button
    // state along with the focus.
    SendMessageA(m_dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    if (isEdit) {
        SendMessageA(control, EM_SETSEL, 0, -1);
    }
}

}  // namespace framework
