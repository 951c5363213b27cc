#include "board/win32/board_accessible.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>
#include <string>
#include <vector>

#include "framework/win32/wide_text.h"

namespace perch {
namespace {

// The board's texts (UTF-8) as a BSTR; null for an empty text.
BSTR ToBstr(const std::string& text) {
    if (text.empty()) {
        return nullptr;
    }
    const std::wstring wide = framework::Widen(text);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

void SetChildId(VARIANT* variant, long id) {
    VariantInit(variant);
    variant->vt = VT_I4;
    variant->lVal = id;
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// A set of child ids as get_accSelection hands several of them out.
class ChildIdEnumeration final : public IEnumVARIANT {
  public:
    explicit ChildIdEnumeration(std::vector<long> ids, std::size_t next = 0)
        : m_ids(std::move(ids)), m_next(next) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(riid, __uuidof(IUnknown)) || IsEqualIID(riid, __uuidof(IEnumVARIANT))) {
            *object = static_cast<IEnumVARIANT*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&m_references); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&m_references);
        if (left == 0) {
            delete this;
        }
        return left;
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override {
        if (items == nullptr) {
            return E_POINTER;
        }
        ULONG given = 0;
        while (given < count && m_next < m_ids.size()) {
            SetChildId(&items[given++], m_ids[m_next++]);
        }
        if (fetched != nullptr) {
            *fetched = given;
        }
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const std::size_t left = m_ids.size() - m_next;
        m_next += std::min<std::size_t>(count, left);
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        m_next = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override {
        if (copy == nullptr) {
            return E_POINTER;
        }
        *copy = new ChildIdEnumeration(m_ids, m_next);
        return S_OK;
    }

  private:
    LONG m_references = 1;
    std::vector<long> m_ids;
    std::size_t m_next;
};

#pragma GCC diagnostic pop

constexpr int kListItself = -1;
constexpr int kNoBox = -2;

}  // namespace

BoardAccessible::BoardAccessible(HWND view, Board& board) : m_view(view), m_board(&board) {}

BoardAccessible::~BoardAccessible() {
    if (m_standard != nullptr) {
        m_standard->Release();
    }
}

void BoardAccessible::Disconnect() {
    m_board = nullptr;
    if (m_standard != nullptr) {
        m_standard->Release();
        m_standard = nullptr;
    }
}

IAccessible* BoardAccessible::Standard() {
    if (m_board == nullptr) {
        return nullptr;
    }
    if (m_standard == nullptr) {
        void* object = nullptr;
        if (SUCCEEDED(CreateStdAccessibleObject(m_view, OBJID_CLIENT, __uuidof(IAccessible), &object))) {
            m_standard = static_cast<IAccessible*>(object);
        }
    }
    return m_standard;
}

int BoardAccessible::BoxOf(const VARIANT& child) const {
    if (m_board == nullptr || child.vt != VT_I4) {
        return kNoBox;
    }
    if (child.lVal == CHILDID_SELF) {
        return kListItself;
    }
    const long box = child.lVal - 1;
    return box >= 0 && box < m_board->accessible().BoxCount() ? static_cast<int>(box) : kNoBox;
}

// --- IUnknown ---

HRESULT BoardAccessible::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(riid, __uuidof(IUnknown)) || IsEqualIID(riid, __uuidof(IDispatch)) ||
        IsEqualIID(riid, __uuidof(IAccessible))) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG BoardAccessible::AddRef() {
    return InterlockedIncrement(&m_references);
}

ULONG BoardAccessible::Release() {
    const LONG left = InterlockedDecrement(&m_references);
    if (left == 0) {
        delete this;
    }
    return left;
}

// --- IDispatch ---

HRESULT BoardAccessible::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT BoardAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT BoardAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT BoardAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                UINT*) {
    return E_NOTIMPL;
}

// --- IAccessible ---

HRESULT BoardAccessible::get_accParent(IDispatch** parent) {
    if (parent == nullptr) {
        return E_POINTER;
    }
    *parent = nullptr;
    IAccessible* standard = Standard();
    return standard == nullptr ? E_FAIL : standard->get_accParent(parent);
}

HRESULT BoardAccessible::get_accChildCount(long* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    if (m_board == nullptr) {
        return E_FAIL;
    }
    *count = m_board->accessible().BoxCount();
    return S_OK;
}

HRESULT BoardAccessible::get_accChild(VARIANT child, IDispatch** dispatch) {
    if (dispatch == nullptr) {
        return E_POINTER;
    }
    *dispatch = nullptr;
    // The boxes are simple elements of the list, with no object of their own.
    return BoxOf(child) >= 0 ? S_FALSE : E_INVALIDARG;
}

HRESULT BoardAccessible::get_accName(VARIANT child, BSTR* name) {
    if (name == nullptr) {
        return E_POINTER;
    }
    *name = nullptr;
    const int box = BoxOf(child);
    if (box == kListItself) {
        IAccessible* standard = Standard();
        return standard == nullptr ? E_FAIL : standard->get_accName(child, name);
    }
    const std::optional<AccessibleBox> item = box >= 0 ? m_board->accessible().Box(box) : std::nullopt;
    if (!item) {
        return E_INVALIDARG;
    }
    *name = ToBstr(item->name);
    return *name != nullptr ? S_OK : S_FALSE;
}

HRESULT BoardAccessible::get_accValue(VARIANT child, BSTR* value) {
    if (value == nullptr) {
        return E_POINTER;
    }
    *value = nullptr;
    return BoxOf(child) == kNoBox ? E_INVALIDARG : DISP_E_MEMBERNOTFOUND;
}

HRESULT BoardAccessible::get_accDescription(VARIANT child, BSTR* description) {
    if (description == nullptr) {
        return E_POINTER;
    }
    *description = nullptr;
    const int box = BoxOf(child);
    if (box == kListItself) {
        return S_FALSE;
    }
    const std::optional<AccessibleBox> item = box >= 0 ? m_board->accessible().Box(box) : std::nullopt;
    if (!item) {
        return E_INVALIDARG;
    }
    *description = ToBstr(item->description);
    return *description != nullptr ? S_OK : S_FALSE;
}

HRESULT BoardAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (role == nullptr) {
        return E_POINTER;
    }
    VariantInit(role);
    const int box = BoxOf(child);
    if (box == kNoBox) {
        return E_INVALIDARG;
    }
    role->vt = VT_I4;
    role->lVal = box == kListItself ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM;
    return S_OK;
}

HRESULT BoardAccessible::get_accState(VARIANT child, VARIANT* state) {
    if (state == nullptr) {
        return E_POINTER;
    }
    VariantInit(state);
    const int box = BoxOf(child);
    if (box == kNoBox) {
        return E_INVALIDARG;
    }
    const bool focused = GetFocus() == m_view;
    long flags = 0;
    if (box == kListItself) {
        flags = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_MULTISELECTABLE;
        if (focused && !m_board->cursor().Shown()) {
            flags |= STATE_SYSTEM_FOCUSED;
        }
    } else {
        const std::optional<AccessibleBox> item = m_board->accessible().Box(box);
        flags = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
        if (item->selected) {
            flags |= STATE_SYSTEM_SELECTED;
        }
        if (item->cursor && focused) {
            flags |= STATE_SYSTEM_FOCUSED;
        }
    }
    if (!IsWindowVisible(m_view)) {
        flags |= STATE_SYSTEM_INVISIBLE;
    }
    state->vt = VT_I4;
    state->lVal = flags;
    return S_OK;
}

HRESULT BoardAccessible::get_accHelp(VARIANT child, BSTR* help) {
    if (help == nullptr) {
        return E_POINTER;
    }
    *help = nullptr;
    return BoxOf(child) == kNoBox ? E_INVALIDARG : DISP_E_MEMBERNOTFOUND;
}

HRESULT BoardAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    if (file == nullptr || topic == nullptr) {
        return E_POINTER;
    }
    *file = nullptr;
    *topic = 0;
    return BoxOf(child) == kNoBox ? E_INVALIDARG : DISP_E_MEMBERNOTFOUND;
}

HRESULT BoardAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    if (shortcut == nullptr) {
        return E_POINTER;
    }
    *shortcut = nullptr;
    return BoxOf(child) == kNoBox ? E_INVALIDARG : DISP_E_MEMBERNOTFOUND;
}

HRESULT BoardAccessible::get_accFocus(VARIANT* focus) {
    if (focus == nullptr) {
        return E_POINTER;
    }
    VariantInit(focus);
    if (m_board == nullptr) {
        return E_FAIL;
    }
    if (GetFocus() != m_view) {
        return S_FALSE;  // VT_EMPTY: neither the list nor a box has the focus
    }
    const int cursor = m_board->cursor().Shown() ? m_board->cursor().Index() : -1;
    SetChildId(focus, ChildIdOfBox(cursor));
    return S_OK;
}

HRESULT BoardAccessible::get_accSelection(VARIANT* selection) {
    if (selection == nullptr) {
        return E_POINTER;
    }
    VariantInit(selection);
    if (m_board == nullptr) {
        return E_FAIL;
    }
    std::vector<long> ids;
    const AccessibleBoard& accessible = m_board->accessible();
    for (int box = 0; box < accessible.BoxCount(); ++box) {
        if (accessible.Box(box)->selected) {
            ids.push_back(ChildIdOfBox(box));
        }
    }
    if (ids.empty()) {
        return S_FALSE;
    }
    if (ids.size() == 1) {
        SetChildId(selection, ids.front());
        return S_OK;
    }
    selection->vt = VT_UNKNOWN;
    selection->punkVal = new ChildIdEnumeration(std::move(ids));
    return S_OK;
}

HRESULT BoardAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (action == nullptr) {
        return E_POINTER;
    }
    *action = nullptr;
    const int box = BoxOf(child);
    if (box == kNoBox) {
        return E_INVALIDARG;
    }
    if (box == kListItself) {
        return DISP_E_MEMBERNOTFOUND;
    }
    *action = SysAllocString(L"Activate");
    return S_OK;
}

HRESULT BoardAccessible::accSelect(long flags, VARIANT child) {
    const int box = BoxOf(child);
    if (box < 0) {
        return E_INVALIDARG;
    }
    ReaderSelection change = ReaderSelection::kNone;
    if ((flags & SELFLAG_TAKESELECTION) != 0) {
        change = ReaderSelection::kOnly;
    } else if ((flags & SELFLAG_ADDSELECTION) != 0) {
        change = ReaderSelection::kAdd;
    } else if ((flags & SELFLAG_REMOVESELECTION) != 0) {
        change = ReaderSelection::kRemove;
    } else if ((flags & SELFLAG_TAKEFOCUS) == 0) {
        return E_INVALIDARG;  // extending a range: the board has no ranges
    }
    if ((flags & SELFLAG_TAKEFOCUS) != 0 && GetFocus() != m_view) {
        SetFocus(m_view);
    }
    return m_board->SelectBox(box, (flags & SELFLAG_TAKEFOCUS) != 0, change) ? S_OK : E_FAIL;
}

HRESULT BoardAccessible::accLocation(long* left, long* top, long* width, long* height,
                                     VARIANT child) {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
        return E_POINTER;
    }
    *left = *top = *width = *height = 0;
    const int box = BoxOf(child);
    if (box == kListItself) {
        IAccessible* standard = Standard();
        return standard == nullptr ? E_FAIL : standard->accLocation(left, top, width, height, child);
    }
    const std::optional<AccessibleBox> item = box >= 0 ? m_board->accessible().Box(box) : std::nullopt;
    if (!item) {
        return E_INVALIDARG;
    }
    POINT origin{item->location.left, item->location.top};
    ClientToScreen(m_view, &origin);
    *left = origin.x;
    *top = origin.y;
    *width = item->location.Width();
    *height = item->location.Height();
    return S_OK;
}

HRESULT BoardAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (end == nullptr) {
        return E_POINTER;
    }
    VariantInit(end);
    const int box = BoxOf(start);
    if (box == kNoBox) {
        return E_INVALIDARG;
    }
    const int count = m_board->accessible().BoxCount();
    int to = kNoBox;
    if (box == kListItself) {
        if (direction == NAVDIR_FIRSTCHILD && count > 0) {
            to = 0;
        } else if (direction == NAVDIR_LASTCHILD && count > 0) {
            to = count - 1;
        } else if (direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD) {
            IAccessible* standard = Standard();
            return standard == nullptr ? E_FAIL : standard->accNavigate(direction, start, end);
        }
    } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) {
        to = box + 1 < count ? box + 1 : kNoBox;
    } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) {
        to = box > 0 ? box - 1 : kNoBox;
    }
    if (to == kNoBox) {
        return S_FALSE;
    }
    SetChildId(end, ChildIdOfBox(to));
    return S_OK;
}

HRESULT BoardAccessible::accHitTest(long x, long y, VARIANT* child) {
    if (child == nullptr) {
        return E_POINTER;
    }
    VariantInit(child);
    if (m_board == nullptr) {
        return E_FAIL;
    }
    POINT at{x, y};
    ScreenToClient(m_view, &at);
    RECT client{};
    GetClientRect(m_view, &client);
    if (!PtInRect(&client, at)) {
        return S_FALSE;
    }
    // The box a click there would act on.
    const HitResult hit = m_board->layout().HitTest({at.x, at.y});
    SetChildId(child, ChildIdOfBox(hit.index));
    return S_OK;
}

HRESULT BoardAccessible::accDoDefaultAction(VARIANT child) {
    const int box = BoxOf(child);
    if (box == kNoBox) {
        return E_INVALIDARG;
    }
    if (box == kListItself) {
        return DISP_E_MEMBERNOTFOUND;
    }
    return m_board->ActivateBox(box) ? S_OK : E_FAIL;
}

HRESULT BoardAccessible::put_accName(VARIANT, BSTR) {
    return E_NOTIMPL;
}

HRESULT BoardAccessible::put_accValue(VARIANT, BSTR) {
    return E_NOTIMPL;
}

}  // namespace perch
