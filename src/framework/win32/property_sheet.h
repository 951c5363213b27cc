#pragma once

#include <windows.h>
// commctrl.h brings the property-sheet declarations (prsht.h).
#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/data_exchange.h"
#include "framework/win32/owner_draw.h"

// prsht.h maps the name PropertySheet to PropertySheetA or PropertySheetW. The framework's
// class carries that name; its code calls the ANSI entry point by its own name.
#undef PropertySheet

namespace framework {

class PropertySheet;

// One page of a property sheet, made from a dialog template of the resources (style
// WS_CHILD | WS_DISABLED | WS_CAPTION; the caption is the page's tab). The page is shown in
// the sheet's font, whatever font its template names, because the sheet sizes itself to
// the pages in its own dialog units. The page's window is
// created the first time the page is shown and lives until the sheet closes; a page that is
// never shown has no window and keeps the values it was built with.
//
// The C++ object is attached to its window by the first message the window receives, which
// for a page with an owner-drawn list is a WM_MEASUREITEM sent while the dialog's controls
// are being created, before WM_INITDIALOG.
class PropertyPage {
  public:
    explicit PropertyPage(UINT templateId) : m_templateId(templateId) {}
    PropertyPage(const PropertyPage&) = delete;
    PropertyPage& operator=(const PropertyPage&) = delete;
    virtual ~PropertyPage() = default;

    UINT TemplateId() const { return m_templateId; }
    // The page's window while the sheet runs, once the page has been shown; else null.
    HWND Handle() const { return m_hwnd; }
    // Whether the page's window was created during the last run of its sheet.
    bool WasShown() const { return m_shown; }

    // Runs the data exchange: fills the controls (save false) or reads and validates them
    // (save true). False when a value failed (already reported to the user, the focus on
    // its control) or when the page has no window.
    bool UpdateData(bool save);

  protected:
    // The page's values against its controls. The default exchanges nothing.
    virtual void DoDataExchange(DataExchange& dx);
    // Once, when the page is first shown. The default fills the controls. Return TRUE to let
    // the system set the initial focus.
    virtual BOOL OnInitPage();
    // "May the user leave this page?" (another tab, or OK while this page shows). The
    // default reads and validates the controls.
    virtual bool OnKillActive();
    // "May the sheet apply this page?" on OK, for every page that was shown. The default
    // reads and validates the controls.
    virtual bool OnOK();
    // A command or notification from a control (id, notification code); true when handled.
    virtual bool OnCommand(UINT id, UINT code);

    // Registers an owner-drawn control by id; call from the constructor, so that
    // measurements asked for while the dialog is being created reach it.
    void AddOwnerDraw(UINT controlId, OwnerDrawControl& control);

  private:
    friend class PropertySheet;

    static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static UINT CALLBACK PageCallback(HWND hwnd, UINT message, LPPROPSHEETPAGEW page);

    PROPSHEETPAGEW Describe();
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnNotify(const NMHDR& header);
    INT_PTR Answer(UINT code, bool granted);
    OwnerDrawControl* OwnerDrawFor(UINT controlId) const;

    UINT m_templateId;
    HWND m_hwnd = nullptr;
    bool m_shown = false;
    bool m_applied = false;  // the last OK handling succeeded
    PropertySheet* m_sheet = nullptr;
    std::vector<std::pair<UINT, OwnerDrawControl*>> m_ownerDraw;
    std::vector<DWORD> m_template;  // the template as the sheet gets it (see Describe)
};

// A modal property sheet over PropertySheetA: a tab for each page, and the buttons OK,
// Cancel, Apply and Help. No page ever reports a change, so Apply stays disabled; Help asks
// the help handler (if any) for the visible page.
//
// OK first asks the visible page whether it may be left, then runs the OK handling of every
// page that was shown; the sheet closes only when all of them agree.
class PropertySheet {
  public:
    // Pages are added in tab order; `startPage` is the index of the page shown first.
    PropertySheet(std::string caption, HWND parent, UINT startPage = 0)
        : m_caption(std::move(caption)), m_parent(parent), m_startPage(startPage) {}
    PropertySheet(const PropertySheet&) = delete;
    PropertySheet& operator=(const PropertySheet&) = delete;
    virtual ~PropertySheet() = default;

    // The page must outlive the sheet's run.
    void AddPage(PropertyPage& page) { m_pages.push_back(&page); }
    // Called with the visible page's template id when the user asks for help.
    void SetHelpHandler(std::function<void(UINT pageTemplateId)> help) { m_help = std::move(help); }

    // Runs the sheet modally: IDOK when the user pressed OK and every page that was shown
    // accepted it, IDCANCEL otherwise, -1 when the sheet could not be created.
    INT_PTR DoModal();

    // The sheet's window while it runs; else null.
    HWND Handle() const { return m_hwnd; }

  private:
    friend class PropertyPage;

    static int CALLBACK SheetCallback(HWND hwnd, UINT message, LPARAM lParam);

    std::string m_caption;
    HWND m_parent;
    UINT m_startPage;
    std::vector<PropertyPage*> m_pages;
    std::function<void(UINT)> m_help;

    static LRESULT CALLBACK HelpKeyHook(int code, WPARAM wParam, LPARAM lParam);
    HWND m_hwnd = nullptr;
    bool m_cancelled = false;
};

}  // namespace framework
