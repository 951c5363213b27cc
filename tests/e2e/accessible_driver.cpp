// Reads Perch's board as a screen reader does, from another process through oleacc:
//   accessible_driver read             the list: "count <n>", then a line per child:
//                                      "<id>|<name>|<description>|<role>|<state hex>|<x y w h>"
//   accessible_driver action <id>      the child's default action; prints its name first
//   accessible_driver self             the list's own role and state: "<role>|<state hex>"
// Exit code 0 on success, 1 when the board or its object cannot be had, 2 on a failed call.
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kViewId = 59648;

// The board view of the running Perch: the child with the view's id, of class PerchView.
HWND FindBoardView() {
    HWND found = nullptr;
    EnumWindows(
        [](HWND top, LPARAM param) -> BOOL {
            HWND view = GetDlgItem(top, kViewId);
            char name[64] = {};
            if (view != nullptr && GetClassNameA(view, name, sizeof name) > 0 &&
                std::strcmp(name, "PerchView") == 0) {
                *reinterpret_cast<HWND*>(param) = view;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string Utf8(BSTR text) {
    if (text == nullptr) {
        return "";
    }
    const int wide = static_cast<int>(SysStringLen(text));
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, wide, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, wide, result.data(), length, nullptr, nullptr);
    return result;
}

VARIANT Child(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::string NameOf(IAccessible* object, long id) {
    BSTR name = nullptr;
    object->get_accName(Child(id), &name);
    std::string text = Utf8(name);
    SysFreeString(name);
    return text;
}

int Read(IAccessible* object) {
    long count = 0;
    if (FAILED(object->get_accChildCount(&count))) {
        std::printf("get_accChildCount failed\n");
        return 2;
    }
    std::printf("count %ld\n", count);
    for (long id = 1; id <= count; ++id) {
        BSTR description = nullptr;
        object->get_accDescription(Child(id), &description);
        VARIANT role;
        VARIANT state;
        VariantInit(&role);
        VariantInit(&state);
        object->get_accRole(Child(id), &role);
        object->get_accState(Child(id), &state);
        long x = 0;
        long y = 0;
        long w = 0;
        long h = 0;
        object->accLocation(&x, &y, &w, &h, Child(id));
        std::printf("%ld|%s|%s|%ld|%lx|%ld %ld %ld %ld\n", id, NameOf(object, id).c_str(),
                    Utf8(description).c_str(), role.vt == VT_I4 ? role.lVal : -1L,
                    state.vt == VT_I4 ? state.lVal : -1L, x, y, w, h);
        SysFreeString(description);
    }
    // One past the last child is no child at all.
    BSTR none = nullptr;
    const HRESULT beyond = object->get_accName(Child(count + 1), &none);
    SysFreeString(none);
    if (beyond != E_INVALIDARG) {
        std::printf("child %ld beyond the list answered 0x%lx\n", count + 1,
                    static_cast<unsigned long>(beyond));
        return 2;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: accessible_driver read | action <id> | self\n");
        return 1;
    }
    CoInitialize(nullptr);
    HWND view = FindBoardView();
    if (view == nullptr) {
        std::printf("no board view\n");
        return 1;
    }
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(view, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))) ||
        object == nullptr) {
        std::printf("no accessible object\n");
        return 1;
    }
    int result = 0;
    if (std::strcmp(argv[1], "read") == 0) {
        result = Read(object);
    } else if (std::strcmp(argv[1], "action") == 0 && argc > 2) {
        const long id = std::atol(argv[2]);
        BSTR action = nullptr;
        object->get_accDefaultAction(Child(id), &action);
        std::printf("%s %s\n", Utf8(action).c_str(), NameOf(object, id).c_str());
        SysFreeString(action);
        result = SUCCEEDED(object->accDoDefaultAction(Child(id))) ? 0 : 2;
    } else if (std::strcmp(argv[1], "self") == 0) {
        VARIANT role;
        VARIANT state;
        VariantInit(&role);
        VariantInit(&state);
        object->get_accRole(Child(CHILDID_SELF), &role);
        object->get_accState(Child(CHILDID_SELF), &state);
        std::printf("%ld|%lx\n", role.vt == VT_I4 ? role.lVal : -1L,
                    state.vt == VT_I4 ? state.lVal : -1L);
    } else {
        result = 1;
    }
    object->Release();
    CoUninitialize();
    return result;
}
