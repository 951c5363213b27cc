// Looks at and acts on top-level windows by title ("A|B": either), for the end-to-end
// scripts:
//   window_driver wait <title> <ms>     exit 0 once a visible window with that title exists
//   window_driver gone <title> <ms>     exit 0 once no window has that title
//   window_driver close <title>         post WM_CLOSE to the window with that title
//   window_driver front <title> [ms]    make that window the foreground window (retrying)
//   window_driver rect <title>          print "left top right bottom" of the window
//   window_driver topmost <title>       print 1 when the window is in the topmost band, else 0
//   window_driver childrect <title> <id> print the screen rectangle of the child with that id
//   window_driver buttons <title> <id>  print "<count> <width> <height>" of the toolbar child
//                                       with that id: its buttons and their size
//   window_driver buttonstate <title> <id> <command>  print "<enabled 0|1> <checked 0|1>" of
//                                       that command's button on the toolbar child with that id
//   window_driver classrect <class>     print the rectangle of the visible top-level window of
//                                       that class
//   window_driver classclient <class>   the same for its client area, in screen coordinates
//   window_driver classenabled <class>  print 1 when that window is enabled, else 0
//   window_driver zorder -              print the visible top-level windows, top first:
//                                       "<topmost 0|1> <title>" a line
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// A title may name alternatives separated by "|" ("Perch|Roost"): the first that exists.
HWND FindByTitle(const char* title) {
    std::string rest = title;
    for (;;) {
        const std::size_t bar = rest.find('|');
        if (HWND h = FindWindowA(nullptr, rest.substr(0, bar).c_str())) {
            return h;
        }
        if (bar == std::string::npos) {
            return nullptr;
        }
        rest = rest.substr(bar + 1);
    }
}

bool WaitFor(const char* title, DWORD ms, bool present) {
    DWORD start = GetTickCount();
    for (;;) {
        HWND h = FindByTitle(title);
        bool found = h != nullptr && IsWindowVisible(h);
        if (found == present) {
            return true;
        }
        if (GetTickCount() - start > ms) {
            return false;
        }
        Sleep(50);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_driver wait|gone|close|front <title> [ms]\n");
        return 2;
    }
    const char* verb = argv[1];
    const char* title = argv[2];
    DWORD ms = argc > 3 ? static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10)) : 10000;
    if (std::strcmp(verb, "wait") == 0) {
        if (!WaitFor(title, ms, true)) {
            std::fprintf(stderr, "no window titled \"%s\" within %lu ms\n", title,
                         static_cast<unsigned long>(ms));
            return 1;
        }
        return 0;
    }
    if (std::strcmp(verb, "gone") == 0) {
        if (!WaitFor(title, ms, false)) {
            std::fprintf(stderr, "window \"%s\" still there after %lu ms\n", title,
                         static_cast<unsigned long>(ms));
            return 1;
        }
        return 0;
    }
    if (std::strcmp(verb, "classrect") == 0) {
        HWND w = FindWindowA(title, nullptr);
        RECT r;
        if (w == nullptr || !IsWindowVisible(w) || !GetWindowRect(w, &r)) {
            return 1;
        }
        std::printf("%ld %ld %ld %ld\n", static_cast<long>(r.left), static_cast<long>(r.top),
                    static_cast<long>(r.right), static_cast<long>(r.bottom));
        return 0;
    }
    if (std::strcmp(verb, "classclient") == 0 || std::strcmp(verb, "classenabled") == 0) {
        HWND w = FindWindowA(title, nullptr);
        RECT r;
        if (w == nullptr || !IsWindowVisible(w) || !GetClientRect(w, &r)) {
            return 1;
        }
        if (std::strcmp(verb, "classenabled") == 0) {
            std::printf("%d\n", IsWindowEnabled(w) ? 1 : 0);
            return 0;
        }
        MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
        std::printf("%ld %ld %ld %ld\n", static_cast<long>(r.left), static_cast<long>(r.top),
                    static_cast<long>(r.right), static_cast<long>(r.bottom));
        return 0;
    }
    if (std::strcmp(verb, "zorder") == 0) {
        for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
            char text[256] = {};
            GetWindowTextA(w, text, sizeof text);
            if (IsWindowVisible(w) && text[0] != '\0') {
                std::printf("%d %s\n", (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, text);
            }
        }
        return 0;
    }
    HWND h = FindByTitle(title);
    if (h == nullptr) {
        std::fprintf(stderr, "no window titled \"%s\"\n", title);
        return 1;
    }
    if (std::strcmp(verb, "close") == 0) {
        return PostMessageA(h, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (std::strcmp(verb, "front") == 0) {
        // Asked again until it holds (at most ms): a window of the program that comes up
        // meanwhile, such as a splash, may take the foreground back once.
        const DWORD start = GetTickCount();
        for (;;) {
            SetForegroundWindow(h);
            if (GetForegroundWindow() == h) {
                return 0;
            }
            if (GetTickCount() - start > ms) {
                return 1;
            }
            Sleep(100);
        }
    }
    if (std::strcmp(verb, "rect") == 0) {
        RECT r;
        if (!GetWindowRect(h, &r)) {
            return 1;
        }
        std::printf("%ld %ld %ld %ld\n", static_cast<long>(r.left), static_cast<long>(r.top),
                    static_cast<long>(r.right), static_cast<long>(r.bottom));
        return 0;
    }
    if (std::strcmp(verb, "childrect") == 0) {
        RECT r;
        HWND child = GetDlgItem(h, static_cast<int>(ms));
        if (child == nullptr || !GetWindowRect(child, &r)) {
            return 1;
        }
        std::printf("%ld %ld %ld %ld\n", static_cast<long>(r.left), static_cast<long>(r.top),
                    static_cast<long>(r.right), static_cast<long>(r.bottom));
        return 0;
    }
    if (std::strcmp(verb, "buttons") == 0) {
        HWND bar = GetDlgItem(h, static_cast<int>(ms));
        if (bar == nullptr) {
            return 1;
        }
        const LRESULT count = SendMessageA(bar, TB_BUTTONCOUNT, 0, 0);
        const LRESULT size = SendMessageA(bar, TB_GETBUTTONSIZE, 0, 0);
        std::printf("%ld %d %d\n", static_cast<long>(count), LOWORD(size), HIWORD(size));
        return 0;
    }
    if (std::strcmp(verb, "buttonstate") == 0 && argc > 4) {
        HWND bar = GetDlgItem(h, static_cast<int>(ms));
        const WPARAM command = std::strtoul(argv[4], nullptr, 10);
        const LRESULT state = bar == nullptr ? -1 : SendMessageA(bar, TB_GETSTATE, command, 0);
        if (state == -1) {
            return 1;
        }
        std::printf("%d %d\n", (state & TBSTATE_ENABLED) != 0 ? 1 : 0,
                    (state & TBSTATE_CHECKED) != 0 ? 1 : 0);
        return 0;
    }
    if (std::strcmp(verb, "topmost") == 0) {
        std::printf("%d\n", (GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0 ? 1 : 0);
        return 0;
    }
    std::fprintf(stderr, "unknown verb %s\n", verb);
    return 2;
}
