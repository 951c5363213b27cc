// <windows.h> first: window_system.h then drops the A/W macros that share its names.
#include <windows.h>

#include "platform/win32/win32_window_system.h"

#include <array>
#include <cstring>
#include <cwchar>
#include <exception>
#include <string_view>
#include <vector>

#include "framework/win32/wide_text.h"
#include "platform/utf8.h"

namespace perch {
namespace {

// How long IsHungAppWindow waits for a harmless WM_NULL: an application that takes
// messages answers it at once, and a board command asks before it acts on a window.
constexpr UINT kProbeTimeoutMs = 500;
// How long a sent request may take: restoring or maximizing redraws the application's
// windows, which can take a moment; by the end of it the system would count an
// application that took no message hung (after about five seconds).
constexpr UINT kSendTimeoutMs = 5000;

HWND ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

WindowHandle FromHwnd(HWND hwnd) {
    return reinterpret_cast<WindowHandle>(hwnd);
}

Rect FromRect(const RECT& r) {
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
            static_cast<int>(r.bottom)};
}

// A text read with one wide call into a buffer that holds bufferSize - 1 characters even
// when every one takes two UTF-16 units, then kept as the first bufferSize - 1 whole
// characters of UTF-8 (a pair the buffer cut in half is left out).
template <typename Read>
void ReadText(int bufferSize, std::string& into, Read read) {
    into.clear();
    if (bufferSize < 2) {
        return;
    }
    const std::size_t maxChars = static_cast<std::size_t>(bufferSize) - 1;
    const std::size_t size = maxChars * 2 + 1;
    // A title's buffer lies on the stack: a tick reads one for every document.
    std::array<wchar_t, kTitleBufferSize * 2 + 1> local;
    std::wstring large;
    wchar_t* buffer = local.data();
    if (size > local.size()) {
        large.assign(size, L'\0');
        buffer = large.data();
    }
    buffer[0] = L'\0';
    read(buffer, static_cast<int>(size));
    buffer[size - 1] = L'\0';
    std::size_t units = std::wcslen(buffer);
    if (units == size - 1 && units > 0 && buffer[units - 1] >= 0xD800 &&
        buffer[units - 1] <= 0xDBFF) {
        --units;
    }
    framework::NarrowInto(std::wstring_view(buffer, units), into);
    into.resize(CutToChars(into, maxChars));
}

template <typename Read>
std::string ReadText(int bufferSize, Read read) {
    std::string text;
    ReadText(bufferSize, text, read);
    return text;
}

struct EnumState {
    const WindowSystem::ChildCallback* callback;
    std::exception_ptr error;
};

// An exception must not unwind through user32's frames: it is carried across and
// rethrown once EnumChildWindows has returned.
BOOL CALLBACK EnumChildTrampoline(HWND hwnd, LPARAM param) {
    auto* state = reinterpret_cast<EnumState*>(param);
    try {
        return (*state->callback)(FromHwnd(hwnd)) ? TRUE : FALSE;
    } catch (...) {
        state->error = std::current_exception();
        return FALSE;
    }
}

static_assert(sizeof(OSVERSIONINFOA) == 148, "GetVersionExA is called with 148 bytes");

struct MonitorState {
    std::vector<Rect> rects;
    std::exception_ptr error;
};

// The primary monitor goes first, the others in the order the system gives them. As
// with EnumChildTrampoline, an exception is carried across user32's frames.
BOOL CALLBACK MonitorTrampoline(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
    auto* state = reinterpret_cast<MonitorState*>(param);
    try {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        if (::GetMonitorInfoA(monitor, &info)) {
            const Rect rect = FromRect(info.rcMonitor);
            if (info.dwFlags & MONITORINFOF_PRIMARY) {
                state->rects.insert(state->rects.begin(), rect);
            } else {
                state->rects.push_back(rect);
            }
        }
        return TRUE;
    } catch (...) {
        state->error = std::current_exception();
        return FALSE;
    }
}

// SendMessageTimeout that gives up at once on a hung target; whether it was answered.
bool SendAnswered(HWND hwnd, UINT message, WPARAM wParam) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(hwnd, message, wParam, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                                 &result) != 0;
}

}  // namespace

// --- Queries ---

WindowHandle Win32WindowSystem::GetForegroundWindow() {
    return FromHwnd(::GetForegroundWindow());
}

WindowHandle Win32WindowSystem::GetDesktopWindow() {
    return FromHwnd(::GetDesktopWindow());
}

WindowHandle Win32WindowSystem::GetTopWindow(WindowHandle window) {
    return window == kNoWindow ? kNoWindow : FromHwnd(::GetTopWindow(ToHwnd(window)));
}

WindowHandle Win32WindowSystem::GetWindow(WindowHandle window, GetWindowCommand command) {
    return window == kNoWindow ? kNoWindow : FromHwnd(::GetWindow(ToHwnd(window), command));
}

void Win32WindowSystem::EnumChildWindows(WindowHandle parent, const ChildCallback& callback) {
    if (parent == kNoWindow || !callback) {
        return;
    }
    EnumState state{&callback, nullptr};
    ::EnumChildWindows(ToHwnd(parent), EnumChildTrampoline, reinterpret_cast<LPARAM>(&state));
    if (state.error) {
        std::rethrow_exception(state.error);
    }
}

WindowHandle Win32WindowSystem::GetParent(WindowHandle window) {
    return window == kNoWindow ? kNoWindow : FromHwnd(::GetParent(ToHwnd(window)));
}

WindowHandle Win32WindowSystem::GetContainer(WindowHandle window) {
    if (window == kNoWindow) {
        return kNoWindow;
    }
    HWND parent = ::GetAncestor(ToHwnd(window), GA_PARENT);
    return parent == ::GetDesktopWindow() ? kNoWindow : FromHwnd(parent);
}

std::uint32_t Win32WindowSystem::GetWindowStyle(WindowHandle window) {
    if (window == kNoWindow) {
        return 0;
    }
    return static_cast<std::uint32_t>(::GetWindowLongA(ToHwnd(window), GWL_STYLE));
}

std::string Win32WindowSystem::GetWindowText(WindowHandle window, int bufferSize) {
    if (window == kNoWindow) {
        return {};
    }
    return ReadText(bufferSize, [window](wchar_t* buffer, int size) {
        ::GetWindowTextW(ToHwnd(window), buffer, size);
    });
}

void Win32WindowSystem::ReadWindowText(WindowHandle window, std::string& into, int bufferSize) {
    if (window == kNoWindow) {
        into.clear();
        return;
    }
    ReadText(bufferSize, into, [window](wchar_t* buffer, int size) {
        ::GetWindowTextW(ToHwnd(window), buffer, size);
    });
}

int Win32WindowSystem::GetWindowTextLength(WindowHandle window) {
    if (window == kNoWindow) {
        return 0;
    }
    const int length = ::GetWindowTextLengthW(ToHwnd(window));
    return length > 0 ? length : 0;
}

std::string Win32WindowSystem::GetClassName(WindowHandle window, int bufferSize) {
    if (window == kNoWindow) {
        return {};
    }
    return ReadText(bufferSize, [window](wchar_t* buffer, int size) {
        ::GetClassNameW(ToHwnd(window), buffer, size);
    });
}

bool Win32WindowSystem::IsWindowVisible(WindowHandle window) {
    return window != kNoWindow && ::IsWindowVisible(ToHwnd(window)) != FALSE;
}

bool Win32WindowSystem::IsIconic(WindowHandle window) {
    return window != kNoWindow && ::IsIconic(ToHwnd(window)) != FALSE;
}

bool Win32WindowSystem::IsZoomed(WindowHandle window) {
    return window != kNoWindow && ::IsZoomed(ToHwnd(window)) != FALSE;
}

std::uint32_t Win32WindowSystem::GetWindowProcessId(WindowHandle window) {
    DWORD processId = 0;
    if (window != kNoWindow) {
        ::GetWindowThreadProcessId(ToHwnd(window), &processId);
    }
    return processId;
}

Rect Win32WindowSystem::GetWindowRect(WindowHandle window) {
    RECT r{};
    if (window == kNoWindow || !::GetWindowRect(ToHwnd(window), &r)) {
        return {};
    }
    return FromRect(r);
}

Rect Win32WindowSystem::GetClientRect(WindowHandle window) {
    RECT r{};
    if (window == kNoWindow || !::GetClientRect(ToHwnd(window), &r)) {
        return {};
    }
    return FromRect(r);
}

Rect Win32WindowSystem::GetRestoredRect(WindowHandle window) {
    if (window == kNoWindow) {
        return {};
    }
    const HWND hwnd = ToHwnd(window);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!(::IsIconic(hwnd) || ::IsZoomed(hwnd)) || !::GetWindowPlacement(hwnd, &placement)) {
        return GetWindowRect(window);
    }
    RECT r = placement.rcNormalPosition;
    // The normal position is in work-area coordinates (but for tool windows): shift it by
    // where the monitor's work area starts.
    if ((::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0) {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (::GetMonitorInfoA(::MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) {
            ::OffsetRect(&r, info.rcWork.left - info.rcMonitor.left,
                         info.rcWork.top - info.rcMonitor.top);
        }
    }
    return FromRect(r);
}

WindowHandle Win32WindowSystem::GetLastActivePopup(WindowHandle window) {
    // Wine answers a dead handle with the handle itself; the interface says none.
    if (window == kNoWindow || !::IsWindow(ToHwnd(window))) {
        return kNoWindow;
    }
    return FromHwnd(::GetLastActivePopup(ToHwnd(window)));
}

bool Win32WindowSystem::SystemCascades() {
    if (!m_systemCascades) {
        // Looked up rather than linked: a system without the function still runs Perch,
        // with four toolbar buttons and no Cascade.
        const HMODULE user32 = ::GetModuleHandleA("user32.dll");
        m_systemCascades =
            user32 != nullptr && ::GetProcAddress(user32, "CascadeWindows") != nullptr;
    }
    return *m_systemCascades;
}

bool Win32WindowSystem::IsHungAppWindow(WindowHandle window) {
    if (window == kNoWindow) {
        return false;
    }
    const HWND hwnd = ToHwnd(window);
    if (::IsHungAppWindow(hwnd)) {
        return true;
    }
    // A window of our own thread cannot be hung while this thread runs here, and a probe
    // would only call its window procedure from inside this call.
    if (::GetWindowThreadProcessId(hwnd, nullptr) == ::GetCurrentThreadId()) {
        return false;
    }
    // The system only counts an application hung after some seconds without taking
    // messages; one that does not take a harmless message now is as good as hung.
    DWORD_PTR result = 0;
    if (::SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kProbeTimeoutMs,
                              &result) != 0) {
        return false;
    }
    // A window that went away meanwhile is not hung, it is gone.
    return ::IsWindow(hwnd) != FALSE;
}

std::vector<Rect> Win32WindowSystem::GetMonitorRects() {
    MonitorState state;
    ::EnumDisplayMonitors(nullptr, nullptr, MonitorTrampoline, reinterpret_cast<LPARAM>(&state));
    if (state.error) {
        std::rethrow_exception(state.error);
    }
    if (state.rects.empty()) {
        state.rects.push_back(
            {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)});
    }
    return state.rects;
}

// --- Actions: other applications' answers are not ours to check, only whether a sent
// request was answered at all ---

void Win32WindowSystem::BringWindowToTop(WindowHandle window) {
    if (window != kNoWindow) {
        ::BringWindowToTop(ToHwnd(window));
    }
}

void Win32WindowSystem::SetForegroundWindow(WindowHandle window) {
    if (window != kNoWindow) {
        ::SetForegroundWindow(ToHwnd(window));
    }
}

void Win32WindowSystem::ShowWindow(WindowHandle window, ShowCommand command) {
    if (window != kNoWindow) {
        ::ShowWindow(ToHwnd(window), command);
    }
}

void Win32WindowSystem::SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y,
                                     int cx, int cy, unsigned flags) {
    if (window != kNoWindow) {
        // The kHwnd* values are HWND_TOP, HWND_BOTTOM, HWND_TOPMOST and HWND_NOTOPMOST.
        ::SetWindowPos(ToHwnd(window), ToHwnd(insertAfter), x, y, cx, cy, flags);
    }
}

bool Win32WindowSystem::SendSysCommand(WindowHandle window, SysCommand command) {
    return window != kNoWindow && SendAnswered(ToHwnd(window), WM_SYSCOMMAND, command);
}

void Win32WindowSystem::PostSysCommand(WindowHandle window, SysCommand command) {
    if (window != kNoWindow) {
        ::PostMessageA(ToHwnd(window), WM_SYSCOMMAND, command, 0);
    }
}

void Win32WindowSystem::PostClose(WindowHandle window) {
    if (window != kNoWindow) {
        ::PostMessageA(ToHwnd(window), WM_CLOSE, 0, 0);
    }
}

void Win32WindowSystem::CascadeWindows(WindowHandle mdiClient) {
    // Not CascadeWindows: Wine's is a stub that does nothing, while the MDI client's own
    // WM_MDICASCADE works on Wine and Windows alike.
    if (mdiClient != kNoWindow) {
        SendAnswered(ToHwnd(mdiClient), WM_MDICASCADE, MDITILE_SKIPDISABLED);
    }
}

void Win32WindowSystem::InvalidateRect(WindowHandle window) {
    if (window != kNoWindow) {
        ::InvalidateRect(ToHwnd(window), nullptr, TRUE);
    }
}

}  // namespace perch
