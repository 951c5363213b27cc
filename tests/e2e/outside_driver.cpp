// Looks at perch.exe and the test MDI application from outside, for the end-to-end scripts
// that drive Perch with real input. It never sends Perch a command: the only messages it
// sends go to the test MDI application (its own WM_COPYDATA commands). Titles may name
// alternatives separated by "|" ("Perch|Roost"); a title also matches a frame that shows a
// maximized document in its caption ("<title> - [<document>]"). <frame> is the test MDI
// application's frame title. Arguments and what it prints are UTF-8 (titles in any script).
//   outside_driver rect <title>            screen rectangle of the window
//   outside_driver client <title>          screen rectangle of the window's client area
//   outside_driver iconic <title>          1 when the window is minimized, else 0
//   outside_driver capture <title>         1 when the window has its thread's mouse capture
//                                          (a mode such as Shift+F1 help is on), else 0
//   outside_driver childshown <title> <id> 1 when the child with that id is visible, else 0
//   outside_driver menupoint <title>       a screen point on the first item of the menu bar
//   outside_driver mdiclient <frame>       "width height" of the MDI client's outer rectangle
//   outside_driver docrect <frame> <doc>   the document's outer rectangle in the MDI client's
//                                          client coordinates
//   outside_driver docstate <frame> <doc>  "<iconic 0|1> <zoomed 0|1>"
//   outside_driver docs <frame>            the documents' titles, top of the z-order first
//   outside_driver foreground              the title of the foreground window
//   outside_driver waitfg <title> <ms>     exit 0 once the foreground window has that title
//   outside_driver count <title>           how many visible top-level windows have that title
//   outside_driver msgbox <caption> <ms>   wait for a message box (a visible "#32770" window
//                                          with that caption) and print its texts, a line each
//   outside_driver nomsgbox <caption> <ms> exit 0 once no such message box is shown
//   outside_driver xwindow <class|-> <title> the X window of a top-level window (Wine keeps
//                                          it in the property __wine_x11_whole_window)
//   outside_driver popupmenu <ms>          screen rectangle of the open pop-up menu ("#32768")
//   outside_driver splash <owner> <ms>     exit 0 once a visible captionless dialog owned by
//                                          <owner> is shown; prints its screen rectangle
//   outside_driver repaint <title> <id> <ms>  invalidates the child <id> of the window and
//                                          waits for its update region to empty (only a
//                                          running message loop paints); prints the time
//   outside_driver mdi <frame> <verb> [args]  a command to the test MDI application; prints
//                                          its answer, exit 0 when it is not 0
// The controls of a dialog (a property sheet's pages included), found by id among the
// visible descendants of the top-level window titled <title>:
//   outside_driver ctlrect <title> <id>    the control's screen rectangle
//   outside_driver ctltext <title> <id>    the control's text
//   outside_driver ctlstate <title> <id>   "<checked 0|1|2> <enabled 0|1> <selection>" (the
//                                          selection of a list, -1 for none or no list)
//   outside_driver tabpoint <title> <i>    a screen point in the middle of tab <i> (from 0) of
//                                          the window's tab control
//   outside_driver buttonpoint <title> <command>  a screen point in the middle of that
//                                          command's button on the window's toolbar
//   outside_driver wintexts <class> <ms>   wait for a visible top-level window of that class;
//                                          print its caption, then "<class>: <text>" of each
//                                          visible descendant (texts asked of the windows)
//   outside_driver nowindow <class> <ms>   exit 0 once no visible top-level window of that
//                                          class is left
//   outside_driver focusid                 "<id> <class>" of the control with the keyboard
//                                          focus in the foreground window's thread
//   outside_driver droplist <ms>           screen rectangle of the open list of a drop-down
//                                          list ("ComboLBox")
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "e2e_windows.h"

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> Alternatives(const char* titles) {
    std::vector<std::string> out;
    std::string rest = titles;
    for (;;) {
        const std::size_t bar = rest.find('|');
        out.push_back(rest.substr(0, bar));
        if (bar == std::string::npos) {
            return out;
        }
        rest = rest.substr(bar + 1);
    }
}

std::string TextOf(HWND h) {
    return e2e::WindowTextUtf8(h);
}

bool TitleMatches(const std::string& text, const char* titles) {
    for (const std::string& title : Alternatives(titles)) {
        if (text == title || text.rfind(title + " - [", 0) == 0) {
            return true;
        }
    }
    return false;
}

HWND FindByTitle(const char* titles) {
    for (const std::string& title : Alternatives(titles)) {
        if (HWND h = FindWindowW(nullptr, e2e::Widen(title).c_str())) {
            return h;
        }
    }
    for (HWND h = GetTopWindow(nullptr); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        if (TitleMatches(TextOf(h), titles)) {
            return h;
        }
    }
    return nullptr;
}

std::string ClassOf(HWND h) {
    char name[128] = {};
    GetClassNameA(h, name, sizeof name);
    return name;
}

long long MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// Polls a condition every 20 ms for up to <ms>; whether it came true.
template <typename Condition>
bool WaitUntil(DWORD ms, Condition condition) {
    const auto start = Clock::now();
    for (;;) {
        if (condition()) {
            return true;
        }
        if (MillisecondsSince(start) > static_cast<long long>(ms)) {
            return false;
        }
        Sleep(20);
    }
}

void PrintRect(const RECT& r) {
    std::printf("%ld %ld %ld %ld\n", static_cast<long>(r.left), static_cast<long>(r.top),
                static_cast<long>(r.right), static_cast<long>(r.bottom));
}

HWND MdiClientOf(HWND frame) {
    return FindWindowExA(frame, nullptr, "MDIClient", nullptr);
}

HWND FindDocument(HWND client, const std::string& title) {
    for (HWND h = GetWindow(client, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        if (TextOf(h) == title) {
            return h;
        }
    }
    return nullptr;
}

// The visible dialog windows ("#32770") with that caption.
HWND FindMessageBox(const char* caption) {
    for (HWND h = GetTopWindow(nullptr); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        if (IsWindowVisible(h) && ClassOf(h) == "#32770" && TextOf(h) == caption) {
            return h;
        }
    }
    return nullptr;
}

HWND FindPopupMenu() {
    for (HWND h = GetTopWindow(nullptr); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        if (IsWindowVisible(h) && ClassOf(h) == "#32768") {
            return h;
        }
    }
    return nullptr;
}

HWND FindOwnedCaptionless(HWND owner) {
    for (HWND h = GetTopWindow(nullptr); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        if (IsWindowVisible(h) && GetWindow(h, GW_OWNER) == owner &&
            (GetWindowLongA(h, GWL_STYLE) & WS_CAPTION) != WS_CAPTION && ClassOf(h) == "#32770") {
            return h;
        }
    }
    return nullptr;
}

HWND FindDropList() {
    for (HWND h = GetTopWindow(nullptr); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        if (IsWindowVisible(h) && ClassOf(h) == "ComboLBox") {
            return h;
        }
    }
    return nullptr;
}

// A visible descendant with that control id, depth first.
HWND FindControl(HWND parent, int id) {
    for (HWND h = GetWindow(parent, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        if (!IsWindowVisible(h)) {
            continue;
        }
        if (GetDlgCtrlID(h) == id) {
            return h;
        }
        if (HWND inner = FindControl(h, id)) {
            return inner;
        }
    }
    return nullptr;
}

// A rectangle another process's control writes into a pointer it is given: the buffer is
// made in that process. False when the control does not answer.
bool RemoteRect(HWND control, UINT message, WPARAM wParam, RECT& r) {
    DWORD pid = 0;
    GetWindowThreadProcessId(control, &pid);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process == nullptr) {
        return false;
    }
    void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    const bool got =
        remote != nullptr &&
        SendMessageA(control, message, wParam, reinterpret_cast<LPARAM>(remote)) != 0 &&
        ReadProcessMemory(process, remote, &r, sizeof r, nullptr);
    if (remote != nullptr) {
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return got;
}

HWND FindDescendantOfClass(HWND parent, const char* className) {
    for (HWND h = GetWindow(parent, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        if (IsWindowVisible(h) && ClassOf(h) == className) {
            return h;
        }
        if (HWND inner = FindDescendantOfClass(h, className)) {
            return inner;
        }
    }
    return nullptr;
}

int PrintMiddle(HWND control, const RECT& r) {
    POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(control, &middle);
    std::printf("%ld %ld\n", static_cast<long>(middle.x), static_cast<long>(middle.y));
    return 0;
}

// The middle of tab <index> of the window's tab control.
int TabPoint(HWND window, int index) {
    HWND tabs = FindDescendantOfClass(window, "SysTabControl32");
    RECT r{};
    if (tabs == nullptr || !RemoteRect(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), r)) {
        std::fprintf(stderr, "no tab %d\n", index);
        return 1;
    }
    return PrintMiddle(tabs, r);
}

// The middle of the button of a command on the window's toolbar.
int ButtonPoint(HWND window, int command) {
    HWND toolbar = FindDescendantOfClass(window, "ToolbarWindow32");
    const LRESULT index = toolbar != nullptr ? SendMessageA(toolbar, TB_COMMANDTOINDEX,
                                                            static_cast<WPARAM>(command), 0)
                                             : -1;
    RECT r{};
    if (index < 0 || !RemoteRect(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(index), r)) {
        std::fprintf(stderr, "no toolbar button for command %d\n", command);
        return 1;
    }
    return PrintMiddle(toolbar, r);
}

HWND FindTopLevelOfClass(const char* className) {
    for (HWND h = GetTopWindow(nullptr); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        if (IsWindowVisible(h) && ClassOf(h) == className) {
            return h;
        }
    }
    return nullptr;
}

void PrintDescendantTexts(HWND parent) {
    for (HWND h = GetWindow(parent, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        if (!IsWindowVisible(h)) {
            continue;
        }
        std::vector<char> text(65536, '\0');
        DWORD_PTR length = 0;
        SendMessageTimeoutA(h, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                            SMTO_ABORTIFHUNG, 2000, &length);
        for (char& c : text) {
            if (c == '\r' || c == '\n') {
                c = ' ';
            }
        }
        std::printf("%s: %s\n", ClassOf(h).c_str(), text.data());
        PrintDescendantTexts(h);
    }
}

int Usage() {
    std::fprintf(stderr, "usage: outside_driver <verb> [arguments] (see the source)\n");
    return 2;
}

int NoWindow(const char* title) {
    std::fprintf(stderr, "no window titled \"%s\"\n", title);
    return 1;
}

DWORD Ms(const char* text) {
    return static_cast<DWORD>(std::strtoul(text, nullptr, 10));
}

int Documents(int argc, char** argv) {
    const std::string verb = argv[1];
    HWND frame = FindByTitle(argv[2]);
    if (frame == nullptr) {
        return NoWindow(argv[2]);
    }
    HWND client = MdiClientOf(frame);
    if (client == nullptr) {
        std::fprintf(stderr, "\"%s\" has no MDI client\n", argv[2]);
        return 1;
    }
    if (verb == "mdiclient") {
        RECT r{};
        GetWindowRect(client, &r);
        std::printf("%ld %ld\n", static_cast<long>(r.right - r.left),
                    static_cast<long>(r.bottom - r.top));
        return 0;
    }
    if (verb == "docs") {
        for (HWND h = GetWindow(client, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
            if (GetWindow(h, GW_OWNER) == nullptr) {
                std::printf("%s\n", TextOf(h).c_str());
            }
        }
        return 0;
    }
    if (argc < 4) {
        return Usage();
    }
    HWND doc = FindDocument(client, argv[3]);
    if (doc == nullptr) {
        std::fprintf(stderr, "no document \"%s\" in \"%s\"\n", argv[3], argv[2]);
        return 1;
    }
    if (verb == "docrect") {
        RECT r{};
        GetWindowRect(doc, &r);
        MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&r), 2);
        PrintRect(r);
        return 0;
    }
    std::printf("%d %d\n", IsIconic(doc) ? 1 : 0, IsZoomed(doc) ? 1 : 0);
    return 0;
}

int Repaint(const char* title, int id, DWORD limit) {
    HWND top = FindByTitle(title);
    if (top == nullptr) {
        return NoWindow(title);
    }
    HWND child = GetDlgItem(top, id);
    if (child == nullptr) {
        std::fprintf(stderr, "\"%s\" has no child %d\n", title, id);
        return 1;
    }
    const auto start = Clock::now();
    InvalidateRect(child, nullptr, TRUE);
    const bool painted = WaitUntil(limit, [&] {
        RECT r{};
        return !GetUpdateRect(child, &r, FALSE);
    });
    const long long ms = MillisecondsSince(start);
    std::printf("%lld\n", ms);
    if (!painted) {
        std::fprintf(stderr, "\"%s\" did not repaint its child %d within %lu ms\n", title, id,
                     static_cast<unsigned long>(limit));
        return 1;
    }
    return 0;
}

}  // namespace

int main() {
    // The arguments as UTF-8: titles in any script.
    std::vector<std::string> args = e2e::Utf8Arguments();
    std::vector<char*> pointers;
    for (std::string& arg : args) {
        pointers.push_back(arg.data());
    }
    pointers.push_back(nullptr);
    const int argc = static_cast<int>(args.size());
    char** argv = pointers.data();
    if (argc < 2) {
        return Usage();
    }
    const std::string verb = argv[1];
    if (verb == "foreground") {
        std::printf("%s\n", TextOf(GetForegroundWindow()).c_str());
        return 0;
    }
    if (verb == "focusid") {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        const DWORD thread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
        if (!GetGUIThreadInfo(thread, &info) || info.hwndFocus == nullptr) {
            std::fprintf(stderr, "no control has the focus\n");
            return 1;
        }
        std::printf("%d %s\n", GetDlgCtrlID(info.hwndFocus), ClassOf(info.hwndFocus).c_str());
        return 0;
    }
    if (verb == "droplist" && argc >= 3) {
        HWND list = nullptr;
        if (!WaitUntil(Ms(argv[2]), [&] { return (list = FindDropList()) != nullptr; })) {
            std::fprintf(stderr, "no drop-down list is open\n");
            return 1;
        }
        RECT r{};
        GetWindowRect(list, &r);
        PrintRect(r);
        return 0;
    }
    if ((verb == "wintexts" || verb == "nowindow") && argc >= 4) {
        HWND window = nullptr;
        const bool wanted = verb == "wintexts";
        if (!WaitUntil(Ms(argv[3]), [&] {
                return ((window = FindTopLevelOfClass(argv[2])) != nullptr) == wanted;
            })) {
            std::fprintf(stderr, wanted ? "no window of class %s\n" : "a %s window stays\n",
                         argv[2]);
            return 1;
        }
        if (wanted) {
            std::printf("%s\n", TextOf(window).c_str());
            PrintDescendantTexts(window);
        }
        return 0;
    }
    if (verb == "popupmenu" && argc >= 3) {
        HWND menu = nullptr;
        if (!WaitUntil(Ms(argv[2]), [&] { return (menu = FindPopupMenu()) != nullptr; })) {
            std::fprintf(stderr, "no pop-up menu is open\n");
            return 1;
        }
        RECT r{};
        GetWindowRect(menu, &r);
        PrintRect(r);
        return 0;
    }
    if (argc < 3) {
        return Usage();
    }
    if (verb == "mdiclient" || verb == "docs" || verb == "docrect" || verb == "docstate") {
        return Documents(argc, argv);
    }
    if (verb == "waitfg" && argc >= 4) {
        const bool found = WaitUntil(
            Ms(argv[3]), [&] { return TitleMatches(TextOf(GetForegroundWindow()), argv[2]); });
        if (!found) {
            std::fprintf(stderr, "the foreground window is \"%s\", not \"%s\"\n",
                         TextOf(GetForegroundWindow()).c_str(), argv[2]);
            return 1;
        }
        return 0;
    }
    if (verb == "count") {
        int n = 0;
        const std::vector<std::string> titles = Alternatives(argv[2]);
        for (HWND h = GetTopWindow(nullptr); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
            const std::string text = TextOf(h);
            for (const std::string& t : titles) {
                if (IsWindowVisible(h) && text == t) {
                    ++n;
                }
            }
        }
        std::printf("%d\n", n);
        return 0;
    }
    if ((verb == "msgbox" || verb == "nomsgbox") && argc >= 4) {
        HWND box = nullptr;
        const bool wanted = verb == "msgbox";
        if (!WaitUntil(Ms(argv[3]),
                       [&] { return ((box = FindMessageBox(argv[2])) != nullptr) == wanted; })) {
            std::fprintf(stderr, wanted ? "no message box \"%s\"\n" : "message box \"%s\" stays\n",
                         argv[2]);
            return 1;
        }
        if (wanted) {
            for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
                const std::string text = TextOf(c);
                if (ClassOf(c) == "Static" && !text.empty()) {
                    std::printf("%s\n", text.c_str());
                }
            }
        }
        return 0;
    }
    if (verb == "xwindow" && argc >= 4) {
        HWND h =
            std::strcmp(argv[2], "#32770") == 0 ? FindMessageBox(argv[3]) : FindByTitle(argv[3]);
        if (h == nullptr) {
            return NoWindow(argv[3]);
        }
        const auto x = reinterpret_cast<UINT_PTR>(GetPropA(h, "__wine_x11_whole_window"));
        if (x == 0) {
            std::fprintf(stderr, "\"%s\" has no X window\n", argv[3]);
            return 1;
        }
        std::printf("%llu\n", static_cast<unsigned long long>(x));
        return 0;
    }
    if (verb == "splash" && argc >= 4) {
        HWND owner = FindByTitle(argv[2]);
        HWND splash = nullptr;
        if (!WaitUntil(Ms(argv[3]), [&] {
                owner = owner != nullptr ? owner : FindByTitle(argv[2]);
                return owner != nullptr && (splash = FindOwnedCaptionless(owner)) != nullptr;
            })) {
            std::fprintf(stderr, "no splash window owned by \"%s\"\n", argv[2]);
            return 1;
        }
        RECT r{};
        GetWindowRect(splash, &r);
        PrintRect(r);
        return 0;
    }
    if (verb == "nosplash" && argc >= 4) {
        HWND owner = FindByTitle(argv[2]);
        if (owner == nullptr) {
            return NoWindow(argv[2]);
        }
        if (!WaitUntil(Ms(argv[3]), [&] { return FindOwnedCaptionless(owner) == nullptr; })) {
            std::fprintf(stderr, "the splash window of \"%s\" stays\n", argv[2]);
            return 1;
        }
        return 0;
    }
    if (verb == "repaint" && argc >= 5) {
        return Repaint(argv[2], std::atoi(argv[3]), Ms(argv[4]));
    }
    if (verb == "mdi" && argc >= 4) {
        HWND frame = FindByTitle(argv[2]);
        if (frame == nullptr) {
            return NoWindow(argv[2]);
        }
        std::string command = argv[3];
        for (int i = 4; i < argc; ++i) {
            command += std::string("\t") + argv[i];
        }
        const LRESULT answer = e2e::MdiAppCommand(frame, command);
        std::printf("%ld\n", static_cast<long>(answer));
        return answer != 0 ? 0 : 1;
    }
    HWND h = FindByTitle(argv[2]);
    if (h == nullptr) {
        return NoWindow(argv[2]);
    }
    if (verb == "rect") {
        RECT r{};
        GetWindowRect(h, &r);
        PrintRect(r);
        return 0;
    }
    if (verb == "client") {
        RECT r{};
        GetClientRect(h, &r);
        MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&r), 2);
        PrintRect(r);
        return 0;
    }
    if ((verb == "ctlrect" || verb == "ctltext" || verb == "ctlstate") && argc >= 4) {
        HWND control = FindControl(h, std::atoi(argv[3]));
        if (control == nullptr) {
            std::fprintf(stderr, "\"%s\" shows no control %s\n", argv[2], argv[3]);
            return 1;
        }
        if (verb == "ctlrect") {
            RECT r{};
            GetWindowRect(control, &r);
            PrintRect(r);
        } else if (verb == "ctltext") {
            // Asked of the control itself: GetWindowText does not ask another process's
            // child windows, and an edit's text lives in the edit.
            wchar_t text[1024] = {};
            SendMessageW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
            std::printf("%s\n", e2e::Narrow(text).c_str());
        } else {
            const std::string cls = ClassOf(control);
            const LRESULT checked = cls == "Button" ? SendMessageA(control, BM_GETCHECK, 0, 0) : 0;
            const LRESULT selection =
                cls == "ComboBox" ? SendMessageA(control, CB_GETCURSEL, 0, 0) : -1;
            std::printf("%ld %d %ld\n", static_cast<long>(checked),
                        IsWindowEnabled(control) ? 1 : 0, static_cast<long>(selection));
        }
        return 0;
    }
    if (verb == "tabpoint" && argc >= 4) {
        return TabPoint(h, std::atoi(argv[3]));
    }
    if (verb == "buttonpoint" && argc >= 4) {
        return ButtonPoint(h, std::atoi(argv[3]));
    }
    if (verb == "childshown" && argc >= 4) {
        HWND child = GetDlgItem(h, std::atoi(argv[3]));
        if (child == nullptr) {
            std::fprintf(stderr, "\"%s\" has no child %s\n", argv[2], argv[3]);
            return 1;
        }
        std::printf("%d\n", IsWindowVisible(child) ? 1 : 0);
        return 0;
    }
    if (verb == "capture") {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        const bool captured =
            GetGUIThreadInfo(GetWindowThreadProcessId(h, nullptr), &info) && info.hwndCapture == h;
        std::printf("%d\n", captured ? 1 : 0);
        return 0;
    }
    if (verb == "iconic") {
        std::printf("%d\n", IsIconic(h) ? 1 : 0);
        return 0;
    }
    if (verb == "menupoint") {
        // The menu bar lies directly above the client area, one menu height tall; its first
        // item starts at the client area's left edge.
        if (GetMenu(h) == nullptr) {
            std::fprintf(stderr, "\"%s\" has no menu bar\n", argv[2]);
            return 1;
        }
        POINT origin{0, 0};
        ClientToScreen(h, &origin);
        std::printf("%ld %ld\n", static_cast<long>(origin.x + 8),
                    static_cast<long>(origin.y - GetSystemMetrics(SM_CYMENU) / 2));
        return 0;
    }
    return Usage();
}
