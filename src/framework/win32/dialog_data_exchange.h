#pragma once

#include <windows.h>

#include <string>

#include "framework/data_exchange.h"

namespace framework {

// Data exchange over the controls of a dialog or property page, addressed by control id.
// A failure is reported in a message box owned by the dialog; the focus then goes to the
// control through the dialog manager (so the default button stays right) and an edit's
// whole text is selected.
class DialogDataExchange final : public DataExchange {
  public:
    DialogDataExchange(HWND dialog, bool saveAndValidate)
        : DataExchange(saveAndValidate), m_dialog(dialog) {}

  protected:
    std::string GetText(int id) override;
    void SetText(int id, const std::string& text) override;
    void LimitText(int id, std::size_t maxChars) override;
    int GetCheck(int id) override;
    void SetCheck(int id, int state) override;
    int GetSelection(int id) override;
    void SetSelection(int id, int index) override;
    void ReportFailure(int id, const std::string& message, bool isEdit) override;

  private:
    HWND m_dialog;
};

}  // namespace framework
