// How perch.exe fits the system it runs on, looked at from outside:
//   look_driver comctl <exe>         print "<ideal 0|1> <path>" for the common controls that
//                                    the program's embedded manifest brings in: whether a
//                                    button made under it answers BCM_GETIDEALSIZE (version 6
//                                    only), and the path of that comctl32.dll
//   look_driver loaded <title>       print the path of the comctl32.dll loaded by the process
//                                    of the window with that title
//   look_driver dpi <title>          print "<dpi> <awareness>" of that window (awareness as
//                                    DPI_AWARENESS: 0 unaware, 1 system, 2 per monitor)
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// A title may name alternatives separated by "|" ("Perch|Roost"): the first that exists.
HWND FindByTitle(const std::string& title) {
    const std::size_t bar = title.find('|');
    if (HWND h = FindWindowA(nullptr, title.substr(0, bar).c_str())) {
        return h;
    }
    return bar == std::string::npos ? nullptr : FindByTitle(title.substr(bar + 1));
}

int CommonControlsOf(const char* exe) {
    ACTCTXA context{};
    context.cbSize = sizeof(context);
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = exe;
    context.lpResourceName = MAKEINTRESOURCEA(1);  // the manifest of a program
    HANDLE handle = CreateActCtxA(&context);
    ULONG_PTR cookie = 0;
    if (handle == INVALID_HANDLE_VALUE) {  // no manifest: the process's own controls
        std::fprintf(stderr, "%s has no application manifest (error %lu)\n", exe,
                     static_cast<unsigned long>(GetLastError()));
    } else if (!ActivateActCtx(handle, &cookie)) {
        return 1;
    }
    // The controls of version 6 live in their own side-by-side folder, and only their
    // button answers BCM_GETIDEALSIZE.
    HMODULE comctl = LoadLibraryA("comctl32.dll");
    char path[MAX_PATH] = {};
    if (comctl == nullptr || GetModuleFileNameA(comctl, path, MAX_PATH) == 0) {
        std::fprintf(stderr, "no comctl32\n");
        return 1;
    }
    auto init = reinterpret_cast<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>(
        reinterpret_cast<void*>(GetProcAddress(comctl, "InitCommonControlsEx")));
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    if (init != nullptr) {
        init(&controls);
    }
    HWND button = CreateWindowExA(0, "Button", "Cascade", WS_POPUP | BS_PUSHBUTTON, 0, 0, 10,
                                  10, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SIZE ideal{0, 0};
    const bool answered =
        button != nullptr &&
        SendMessageA(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)) != 0 &&
        ideal.cx > 0;
    if (button != nullptr) {
        DestroyWindow(button);
    }
    std::printf("%d %s\n", answered ? 1 : 0, path);
    if (handle != INVALID_HANDLE_VALUE) {
        DeactivateActCtx(0, cookie);
        ReleaseActCtx(handle);
    }
    return 0;
}

int LoadedCommonControls(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (process == nullptr) {
        return 1;
    }
    HMODULE modules[512];
    DWORD needed = 0;
    int found = 1;
    if (EnumProcessModules(process, modules, sizeof(modules), &needed)) {
        const DWORD count = needed / sizeof(HMODULE);
        for (DWORD i = 0; i < count && i < 512; ++i) {
            char path[MAX_PATH] = {};
            if (GetModuleFileNameExA(process, modules[i], path, MAX_PATH) == 0) {
                continue;
            }
            const char* name = std::strrchr(path, '\\');
            if (name != nullptr && lstrcmpiA(name + 1, "comctl32.dll") == 0) {
                std::printf("%s\n", path);
                found = 0;
            }
        }
    }
    CloseHandle(process);
    return found;
}

int DpiOf(HWND window) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    using DpiForWindow = UINT(WINAPI*)(HWND);
    using ContextOfWindow = DPI_AWARENESS_CONTEXT(WINAPI*)(HWND);
    using AwarenessOf = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);
    auto dpiFor = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")));
    auto contextOf = reinterpret_cast<ContextOfWindow>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetWindowDpiAwarenessContext")));
    auto awarenessOf = reinterpret_cast<AwarenessOf>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    if (dpiFor == nullptr || contextOf == nullptr || awarenessOf == nullptr) {
        return 1;
    }
    std::printf("%u %d\n", dpiFor(window), static_cast<int>(awarenessOf(contextOf(window))));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: look_driver comctl <exe> | loaded|dpi <title>\n");
        return 2;
    }
    const char* verb = argv[1];
    if (std::strcmp(verb, "comctl") == 0) {
        return CommonControlsOf(argv[2]);
    }
    HWND window = FindByTitle(argv[2]);
    if (window == nullptr) {
        std::fprintf(stderr, "no window titled \"%s\"\n", argv[2]);
        return 1;
    }
    if (std::strcmp(verb, "loaded") == 0) {
        return LoadedCommonControls(window);
    }
    if (std::strcmp(verb, "dpi") == 0) {
        return DpiOf(window);
    }
    std::fprintf(stderr, "unknown verb %s\n", verb);
    return 2;
}
