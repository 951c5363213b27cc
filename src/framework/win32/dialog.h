#pragma once

#include <windows.h>

namespace framework {

// A dialog from a template of the resources, modal or modeless. The C++ object is attached
// on WM_INITDIALOG (from the creation parameter), so OnInitDialog is the first message it
// sees; OK and Cancel end a modal dialog and destroy a modeless one.
class Dialog {
  public:
    explicit Dialog(UINT templateId) : m_templateId(templateId) {}
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog();

    // Runs the dialog modally; the button that ended it (IDOK, IDCANCEL), or -1 when it
    // could not be created.
    INT_PTR DoModal(HWND owner);
    // Creates the dialog modelessly, owned by `owner`; false when it could not be created.
    bool CreateModeless(HWND owner);
    void Destroy();

    HWND Handle() const { return m_hwnd; }

  protected:
    // Return TRUE to let the system put the focus on the first control.
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual bool OnCommand(UINT id);

  private:
    static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_templateId;
    HWND m_hwnd = nullptr;
    bool m_modal = false;
};

// Centres a window over another (the desktop when that one is missing, hidden or
// minimized), kept inside the work area of the monitor it lands on.
void CenterOver(HWND window, HWND over);
// Centres a window on the desktop, kept inside the work area.
void CenterOnDesktop(HWND window);

}  // namespace framework
