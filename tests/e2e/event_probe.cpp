// Which window events reach an out-of-context SetWinEventHook from another process: the
// test MDI application (started by the caller, frame title "Probe Editor" with document
// "P1.TXT", and a second one titled "Probe Other") makes each kind of change the board
// follows, and this program lists, per change, the events it received about that
// application's windows (or about the foreground).
//   event_probe.exe
#include <windows.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "e2e_windows.h"

namespace {

struct Seen {
    DWORD event;
    HWND window;
    LONG object;
    LONG child;
};

std::vector<Seen> g_seen;

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                      DWORD) {
    g_seen.push_back({event, window, object, child});
}

const char* EventName(DWORD event) {
    switch (event) {
        case EVENT_SYSTEM_FOREGROUND: return "SYSTEM_FOREGROUND";
        case EVENT_SYSTEM_MINIMIZESTART: return "SYSTEM_MINIMIZESTART";
        case EVENT_SYSTEM_MINIMIZEEND: return "SYSTEM_MINIMIZEEND";
        case EVENT_SYSTEM_MOVESIZESTART: return "SYSTEM_MOVESIZESTART";
        case EVENT_SYSTEM_MOVESIZEEND: return "SYSTEM_MOVESIZEEND";
        case EVENT_SYSTEM_CAPTURESTART: return "SYSTEM_CAPTURESTART";
        case EVENT_SYSTEM_CAPTUREEND: return "SYSTEM_CAPTUREEND";
        case EVENT_OBJECT_CREATE: return "OBJECT_CREATE";
        case EVENT_OBJECT_DESTROY: return "OBJECT_DESTROY";
        case EVENT_OBJECT_SHOW: return "OBJECT_SHOW";
        case EVENT_OBJECT_HIDE: return "OBJECT_HIDE";
        case EVENT_OBJECT_REORDER: return "OBJECT_REORDER";
        case EVENT_OBJECT_FOCUS: return "OBJECT_FOCUS";
        case EVENT_OBJECT_STATECHANGE: return "OBJECT_STATECHANGE";
        case EVENT_OBJECT_LOCATIONCHANGE: return "OBJECT_LOCATIONCHANGE";
        case EVENT_OBJECT_NAMECHANGE: return "OBJECT_NAMECHANGE";
        case EVENT_OBJECT_VALUECHANGE: return "OBJECT_VALUECHANGE";
        case EVENT_OBJECT_PARENTCHANGE: return "OBJECT_PARENTCHANGE";
        default: return nullptr;
    }
}

const char* ObjectName(LONG object) {
    switch (object) {
        case OBJID_WINDOW: return "WINDOW";
        case OBJID_CLIENT: return "CLIENT";
        case OBJID_TITLEBAR: return "TITLEBAR";
        case OBJID_SYSMENU: return "SYSMENU";
        case OBJID_MENU: return "MENU";
        case OBJID_VSCROLL: return "VSCROLL";
        case OBJID_HSCROLL: return "HSCROLL";
        case OBJID_CARET: return "CARET";
        case OBJID_CURSOR: return "CURSOR";
        default: return "other";
    }
}

// Lets the hook's events in for a while.
void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
}

// What the window is to the board: the watched frame, its MDI client, a document, or
// the other application's frame.
std::string Role(HWND window, HWND frame, HWND client, HWND other) {
    if (window == nullptr) return "null";
    if (window == frame) return "frame";
    if (window == client) return "mdiclient";
    if (window == other) return "other-app";
    if (GetParent(window) == client) return "document";
    if (!IsWindow(window)) return "gone";
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    DWORD framePid = 0;
    GetWindowThreadProcessId(frame, &framePid);
    if (pid == framePid) return "app-other-window";
    DWORD otherPid = 0;
    GetWindowThreadProcessId(other, &otherPid);
    if (pid == otherPid) return "other-app-window";
    if (pid == GetCurrentProcessId()) return "probe";
    return "foreign";
}

}  // namespace

int main() {
    HWND frame = e2e::WaitForWindow("PerchTestMdiFrame", "Probe Editor");
    HWND other = e2e::WaitForWindow("PerchTestMdiFrame", "Probe Other");
    if (frame == nullptr || other == nullptr) {
        std::fprintf(stderr, "the probe's MDI applications did not start\n");
        return 1;
    }
    HWND client = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
    // Everything, from every process (our own skipped).
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, OnEvent, 0, 0,
                                         WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    if (hook == nullptr) {
        std::fprintf(stderr, "SetWinEventHook failed: %lu\n", GetLastError());
        return 1;
    }
    struct Step {
        const char* what;
        HWND target;
        const char* command;
    };
    const Step steps[] = {
        {"watched app in front", frame, "front"},
        {"open a document", frame, "add\tP2.TXT"},
        {"retitle a document", frame, "retitle\tP2.TXT\tP2 renamed.TXT"},
        {"activate a document", frame, "activate\tP1.TXT"},
        {"minimize a document", frame, "minimize\tP1.TXT"},
        {"restore a document", frame, "restore\tP1.TXT"},
        {"maximize a document", frame, "maximize\tP1.TXT"},
        {"restore a maximized document", frame, "restore\tP1.TXT"},
        {"hide a document", frame, "hide\tP1.TXT"},
        {"show a document", frame, "show\tP1.TXT"},
        {"close a document behind", frame, "close\tP2 renamed.TXT"},
        {"open another", frame, "add\tP3.TXT"},
        {"close the active document", frame, "close\tP3.TXT"},
        {"another application in front", other, "front"},
        {"watched app in front again", frame, "front"},
    };
    Pump(500);
    g_seen.clear();
    for (const Step& step : steps) {
        e2e::MdiAppCommand(step.target, step.command);
        Pump(400);
        std::set<std::string> lines;
        for (const Seen& seen : g_seen) {
            const std::string role = Role(seen.window, frame, client, other);
            const char* name = EventName(seen.event);
            if (role == "foreign" || role == "probe" || name == nullptr) {
                continue;
            }
            char line[160];
            std::snprintf(line, sizeof line, "%s %s child %ld on %s", name, ObjectName(seen.object),
                          static_cast<long>(seen.child), role.c_str());
            lines.insert(line);
        }
        std::printf("%s:%s\n", step.what, lines.empty() ? " nothing" : "");
        for (const std::string& line : lines) {
            std::printf("    %s\n", line.c_str());
        }
        g_seen.clear();
    }
    UnhookWinEvent(hook);
    return 0;
}
