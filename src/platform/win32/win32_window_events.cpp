// Window events for the core: out-of-context WinEvent hooks over every process, turned
// into WindowEvents for the sink.
//
// Out of context, the system queues each event for this thread and calls the hook from
// its message loop, so the sink runs on the user-interface thread between messages, as
// everything else in Perch does. Windows reports every kind hooked here. Wine 8 reports
// only some of them from another process (see the README); what it leaves out the refresh
// timer still finds.
//
// PERCH_WINDOW_EVENTS=0 in the environment hooks nothing: Perch then follows the desktop
// on its timer alone (how the benchmarks measure what the events gain).
#include <windows.h>

#include "platform/win32/win32_window_system.h"

namespace perch {
namespace {

WindowEventSink* g_sink = nullptr;

bool EventsSwitchedOff() {
    char value[8] = {};
    const DWORD length = GetEnvironmentVariableA("PERCH_WINDOW_EVENTS", value, sizeof value);
    return length == 1 && value[0] == '0';
}

bool KindOf(DWORD event, WindowEventKind& kind) {
    switch (event) {
        case EVENT_SYSTEM_FOREGROUND: kind = WindowEventKind::kForeground; return true;
        case EVENT_SYSTEM_MINIMIZESTART: kind = WindowEventKind::kMinimizeStart; return true;
        case EVENT_SYSTEM_MINIMIZEEND: kind = WindowEventKind::kMinimizeEnd; return true;
        case EVENT_OBJECT_CREATE: kind = WindowEventKind::kCreate; return true;
        case EVENT_OBJECT_DESTROY: kind = WindowEventKind::kDestroy; return true;
        case EVENT_OBJECT_SHOW: kind = WindowEventKind::kShow; return true;
        case EVENT_OBJECT_HIDE: kind = WindowEventKind::kHide; return true;
        case EVENT_OBJECT_REORDER: kind = WindowEventKind::kReorder; return true;
        case EVENT_OBJECT_FOCUS: kind = WindowEventKind::kFocus; return true;
        case EVENT_OBJECT_NAMECHANGE: kind = WindowEventKind::kNameChange; return true;
        default: return false;
    }
}

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                         DWORD) {
    WindowEventKind kind{};
    // Events about no window (sounds, the caret of the system, ...) concern no board.
    if (g_sink == nullptr || window == nullptr || !KindOf(event, kind)) {
        return;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    g_sink->OnWindowEvent({kind, reinterpret_cast<std::uintptr_t>(window),
                           static_cast<std::int32_t>(object), static_cast<std::int32_t>(child),
                           static_cast<std::uint32_t>(processId)});
}

// The hooked ranges: nothing between them is asked for (location changes, above all,
// which the cursor makes at every move).
constexpr DWORD kRanges[][2] = {
    {EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND},
    {EVENT_SYSTEM_MINIMIZESTART, EVENT_SYSTEM_MINIMIZEEND},
    {EVENT_OBJECT_CREATE, EVENT_OBJECT_FOCUS},
    {EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE},
};

}  // namespace

void Win32WindowSystem::SetEventSink(WindowEventSink* sink) {
    for (void* hook : m_eventHooks) {
        UnhookWinEvent(static_cast<HWINEVENTHOOK>(hook));
    }
    m_eventHooks.clear();
    g_sink = sink;
    if (sink == nullptr || EventsSwitchedOff()) {
        return;
    }
    for (const auto& range : kRanges) {
        // Perch's own windows are left out: its status bar and tool tips change at every
        // idle moment, and what the board needs of its own frame (restored, activated) its
        // window messages tell it.
        if (HWINEVENTHOOK hook = SetWinEventHook(range[0], range[1], nullptr, OnWinEvent, 0, 0,
                                                 WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS)) {
            m_eventHooks.push_back(hook);
        }
    }
}

}  // namespace perch
