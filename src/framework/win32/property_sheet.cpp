#include "framework/win32/property_sheet.h"

#include <algorithm>
#include <cstring>

#include "framework/win32/dialog.h"
#include "framework/win32/dialog_data_exchange.h"
#include "framework/win32/wide_text.h"

namespace framework {
namespace {

// The page whose dialog comctl32 is about to create (set by its PSPCB_CREATE callback), so
// that the messages the dialog receives before WM_INITDIALOG reach the page's object.
thread_local PropertyPage* t_pageBeingCreated = nullptr;
// The sheet whose PropertySheetA call is running, for the sheet callback, which has no
// parameter of its own.
thread_local PropertySheet* t_sheetStarting = nullptr;

// The font of comctl32's own sheet template. The sheet measures every page's template in
// its own dialog units, so a page laid out in another font would be cut off or padded; the
// pages are shown in the sheet's font instead.
constexpr wchar_t kSheetFace[] = L"MS Shell Dlg";
constexpr WORD kSheetPointSize = 8;

const WORD* SkipNameOrOrdinal(const WORD* p) {
    if (*p == 0x0000) {
        return p + 1;
    }
    if (*p == 0xFFFF) {
        return p + 2;  // an ordinal
    }
    while (*p != 0) {
        ++p;
    }
    return p + 1;
}

const WORD* SkipString(const WORD* p) {
    while (*p != 0) {
        ++p;
    }
    return p + 1;
}

void AppendWord(std::vector<BYTE>& out, WORD value) {
    out.push_back(static_cast<BYTE>(value & 0xFF));
    out.push_back(static_cast<BYTE>(value >> 8));
}

// A copy of a dialog template of the program's resources (DLGTEMPLATE or DLGTEMPLATEEX)
// with its font replaced by the sheet's; empty when the template is missing or names no
// font. The controls follow the font block at the next DWORD boundary and are copied as
// they are, so the copy is held in DWORDs to keep that alignment.
std::vector<DWORD> TemplateInSheetFont(UINT templateId) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));
    HGLOBAL loaded = resource != nullptr ? LoadResource(module, resource) : nullptr;
    const auto* begin =
        static_cast<const BYTE*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    const DWORD size = resource != nullptr ? SizeofResource(module, resource) : 0;
    if (begin == nullptr || size < 26) {
        return {};
    }
    const auto* words = reinterpret_cast<const WORD*>(begin);
    const bool extended = words[0] == 1 && words[1] == 0xFFFF;
    DWORD style = 0;
    memcpy(&style, begin + (extended ? 12 : 0), sizeof style);
    if ((style & DS_SETFONT) == 0) {
        return {};
    }
    // After the fixed header: menu, class, title, then the font (point size; in the extended
    // form weight, italic and character set; face name).
    const WORD* p = reinterpret_cast<const WORD*>(begin + (extended ? 26 : 18));
    p = SkipString(SkipNameOrOrdinal(SkipNameOrOrdinal(p)));
    const auto* fontBlock = reinterpret_cast<const BYTE*>(p);
    const WORD* face = p + (extended ? 3 : 1);
    const auto fontEnd =
        static_cast<std::size_t>(reinterpret_cast<const BYTE*>(SkipString(face)) - begin);
    const std::size_t itemsAt = std::min<std::size_t>((fontEnd + 3) & ~std::size_t{3}, size);

    std::vector<BYTE> out(begin, fontBlock);
    AppendWord(out, kSheetPointSize);
    if (extended) {
        out.insert(out.end(), fontBlock + 2, fontBlock + 6);  // weight, italic, character set
    }
    for (const wchar_t* c = kSheetFace; *c != 0; ++c) {
        AppendWord(out, static_cast<WORD>(*c));
    }
    AppendWord(out, 0);
    out.resize((out.size() + 3) & ~std::size_t{3}, 0);
    out.insert(out.end(), begin + itemsAt, begin + size);

    std::vector<DWORD> aligned((out.size() + 3) / 4, 0);
    memcpy(aligned.data(), out.data(), out.size());
    return aligned;
}

}  // namespace

// --- PropertyPage ---

bool PropertyPage::UpdateData(bool save) {
    if (m_hwnd == nullptr) {
        return false;
    }
    DialogDataExchange dx(m_hwnd, save);
    DoDataExchange(dx);
    return !dx.Failed();
}

void PropertyPage::DoDataExchange(DataExchange&) {}

BOOL PropertyPage::OnInitPage() {
    UpdateData(false);
    return TRUE;
}

bool PropertyPage::OnKillActive() {
    return UpdateData(true);
}

bool PropertyPage::OnOK() {
    return UpdateData(true);
}

bool PropertyPage::OnCommand(UINT, UINT) {
    return false;
}

void PropertyPage::AddOwnerDraw(UINT controlId, OwnerDrawControl& control) {
    m_ownerDraw.emplace_back(controlId, &control);
}

OwnerDrawControl* PropertyPage::OwnerDrawFor(UINT controlId) const {
    for (const auto& [id, control] : m_ownerDraw) {
        if (id == controlId) {
            return control;
        }
    }
    return nullptr;
}

PROPSHEETPAGEW PropertyPage::Describe() {
    PROPSHEETPAGEW page{};
    // The whole structure: with PSH_PROPSHEETPAGE the sheet steps through the array of
    // pages by each page's dwSize.
    page.dwSize = sizeof page;
    page.dwFlags = PSP_HASHELP | PSP_USECALLBACK;
    page.hInstance = GetModuleHandleA(nullptr);
    m_template = TemplateInSheetFont(m_templateId);
    if (m_template.empty()) {
        page.pszTemplate = MAKEINTRESOURCEW(m_templateId);
    } else {
        page.dwFlags |= PSP_DLGINDIRECT;
        page.pResource = reinterpret_cast<PROPSHEETPAGE_RESOURCE>(m_template.data());
    }
    page.pfnDlgProc = &PropertyPage::StaticDialogProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    page.pfnCallback = &PropertyPage::PageCallback;
    return page;
}

UINT CALLBACK PropertyPage::PageCallback(HWND, UINT message, LPPROPSHEETPAGEW page) {
    if (message == PSPCB_CREATE) {
        t_pageBeingCreated = reinterpret_cast<PropertyPage*>(page->lParam);
    }
    return 1;  // PSPCB_CREATE: let the dialog be created
}

INT_PTR CALLBACK PropertyPage::StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    auto* self = reinterpret_cast<PropertyPage*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (self == nullptr) {
        // WM_INITDIALOG names the page itself (its parameter is the page's description);
        // anything earlier comes from the page that comctl32 announced.
        self =
            message == WM_INITDIALOG
                ? reinterpret_cast<PropertyPage*>(reinterpret_cast<PROPSHEETPAGEW*>(lParam)->lParam)
                : t_pageBeingCreated;
        if (self == nullptr || message == WM_NCDESTROY) {
            return FALSE;
        }
        t_pageBeingCreated = nullptr;
        self->m_hwnd = hwnd;
        SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    }
    return self->DialogProc(message, wParam, lParam);
}

INT_PTR PropertyPage::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            m_shown = true;
            return OnInitPage();
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_MEASUREITEM: {
            auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (OwnerDrawControl* control = OwnerDrawFor(item.CtlID)) {
                control->MeasureItem(item);
                return TRUE;
            }
            return FALSE;
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (OwnerDrawControl* control = OwnerDrawFor(item.CtlID)) {
                control->DrawItem(item);
                return TRUE;
            }
            return FALSE;
        }
        case WM_COMPAREITEM: {
            // A dialog procedure returns the comparison itself, not through DWLP_MSGRESULT.
            const auto& items = *reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam);
            if (OwnerDrawControl* control = OwnerDrawFor(items.CtlID)) {
                const int order = control->CompareItem(items);
                return order < 0 ? -1 : (order > 0 ? 1 : 0);
            }
            return 0;
        }
        case WM_NCDESTROY:
            SetWindowLongPtrA(m_hwnd, DWLP_USER, 0);
            m_hwnd = nullptr;
            return FALSE;
        default:
            return FALSE;
    }
}

INT_PTR PropertyPage::OnNotify(const NMHDR& header) {
    switch (header.code) {
        case PSN_KILLACTIVE:
            return Answer(PSN_KILLACTIVE, OnKillActive());
        case PSN_APPLY:
            m_applied = OnOK();
            return Answer(PSN_APPLY, m_applied);
        case PSN_RESET:
            if (m_sheet != nullptr) {
                m_sheet->m_cancelled = true;
            }
            return FALSE;
        case PSN_HELP:
            if (m_sheet != nullptr && m_sheet->m_help) {
                m_sheet->m_help(m_templateId);
            }
            return TRUE;
        default:
            return FALSE;
    }
}

// The page's answer to "may I leave" (PSN_KILLACTIVE) and "may I apply" (PSN_APPLY). A
// dialog procedure answers a notification through DWLP_MSGRESULT and returns TRUE; a
// refusal is TRUE for the first (the page stays active) and PSNRET_INVALID_NOCHANGEPAGE for
// the second (the sheet stays open on the page that was showing).
INT_PTR PropertyPage::Answer(UINT code, bool granted) {
    LONG_PTR result = PSNRET_NOERROR;
    if (!granted) {
        result = code == PSN_APPLY ? PSNRET_INVALID_NOCHANGEPAGE : TRUE;
    }
    SetWindowLongPtrA(m_hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

// --- PropertySheet ---

int CALLBACK PropertySheet::SheetCallback(HWND hwnd, UINT message, LPARAM lParam) {
    if (message == PSCB_PRECREATE) {
        // The sheet's own template: keep the system menu, drop the caption's "?" button
        // (there is no help for single controls).
        auto* words = reinterpret_cast<WORD*>(lParam);
        const bool extended = words[0] == 1 && words[1] == 0xFFFF;
        // DLGTEMPLATEEX: version, signature, help id, extended style, style.
        auto* style = reinterpret_cast<DWORD*>(extended ? words + 6 : words);
        *style = (*style | WS_SYSMENU) & ~static_cast<DWORD>(DS_CONTEXTHELP);
    } else if (message == PSCB_INITIALIZED && t_sheetStarting != nullptr) {
        t_sheetStarting->m_hwnd = hwnd;
        CenterOver(hwnd, t_sheetStarting->m_parent);
    }
    return 0;
}

LRESULT CALLBACK PropertySheet::HelpKeyHook(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    PropertySheet* sheet = t_sheetStarting;
    if (code == HC_ACTION && wParam == PM_REMOVE && sheet != nullptr && sheet->m_hwnd != nullptr &&
        msg->message == WM_KEYDOWN && msg->wParam == VK_F1 &&
        (msg->hwnd == sheet->m_hwnd || IsChild(sheet->m_hwnd, msg->hwnd))) {
        msg->message = WM_NULL;
        PostMessageA(sheet->m_hwnd, PSM_PRESSBUTTON, PSBTN_HELP, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

INT_PTR PropertySheet::DoModal() {
    std::vector<PROPSHEETPAGEW> pages;
    pages.reserve(m_pages.size());
    for (PropertyPage* page : m_pages) {
        page->m_sheet = this;
        page->m_shown = false;
        page->m_applied = false;
        pages.push_back(page->Describe());
    }
    m_cancelled = false;

    PROPSHEETHEADERW header{};
    header.dwSize = PROPSHEETHEADERW_V1_SIZE;
    // Not PSH_NOAPPLYNOW: the Apply button is there, disabled while no page reports a
    // change.
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_HASHELP | PSH_USECALLBACK;
    header.hwndParent = m_parent;
    header.hInstance = GetModuleHandleA(nullptr);
    const std::wstring caption = Widen(m_caption);
    header.pszCaption = caption.c_str();
    header.nPages = static_cast<UINT>(pages.size());
    header.nStartPage = m_startPage;
    header.ppsp = pages.data();
    header.pfnCallback = &PropertySheet::SheetCallback;

    PropertySheet* const outer = t_sheetStarting;
    t_sheetStarting = this;
    // F1 anywhere in the sheet asks for the showing page's help, as its Help button does.
    HHOOK f1Hook = SetWindowsHookExA(WH_GETMESSAGE, &PropertySheet::HelpKeyHook, nullptr,
                                     GetCurrentThreadId());
    // With pages that never report a change the return value says little (1 or 0 depends
    // on the comctl32 version); the pages' own answers tell whether OK went through.
    const INT_PTR result = PropertySheetW(&header);
    if (f1Hook != nullptr) {
        UnhookWindowsHookEx(f1Hook);
    }
    t_sheetStarting = outer;
    m_hwnd = nullptr;
    for (PropertyPage* page : m_pages) {
        page->m_sheet = nullptr;
    }
    if (result < 0) {
        return -1;
    }

    bool anyShown = false;
    bool allApplied = true;
    for (const PropertyPage* page : m_pages) {
        if (page->m_shown) {
            anyShown = true;
            allApplied = allApplied && page->m_applied;
        }
    }
    return !m_cancelled && anyShown && allApplied ? IDOK : IDCANCEL;
}

}  // namespace framework
