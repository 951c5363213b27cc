#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/window_events.h"

// <windows.h> maps these names to their A/W variants. The interface uses the plain names,
// so a Win32 source includes <windows.h> first and this header after it, and calls the
// "A" entry points by their full names.
#ifdef GetWindowText
#undef GetWindowText
#endif
#ifdef GetWindowTextLength
#undef GetWindowTextLength
#endif
#ifdef GetClassName
#undef GetClassName
#endif

namespace perch {

// An opaque window handle from the window system. 0 is "none".
using WindowHandle = std::uintptr_t;
inline constexpr WindowHandle kNoWindow = 0;

// A rectangle in pixels; right and bottom are exclusive, as in Win32.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// Window style bits (GWL_STYLE), with their Win32 values.
inline constexpr std::uint32_t kWsPopup = 0x80000000;
inline constexpr std::uint32_t kWsChild = 0x40000000;
inline constexpr std::uint32_t kWsMinimize = 0x20000000;
inline constexpr std::uint32_t kWsVisible = 0x10000000;
inline constexpr std::uint32_t kWsDisabled = 0x08000000;
inline constexpr std::uint32_t kWsMaximize = 0x01000000;
inline constexpr std::uint32_t kWsThickFrame = 0x00040000;
inline constexpr std::uint32_t kWsOverlappedWindow = 0x00CF0000;

inline constexpr bool IsChildStyle(std::uint32_t style) {
    return (style & kWsChild) != 0;
}

// ShowWindow commands (SW_*).
enum ShowCommand : int {
    kSwHide = 0,
    kSwShowNormal = 1,
    kSwShowMinimized = 2,
    kSwShowMaximized = 3,  // also SW_MAXIMIZE
    kSwShowNoActivate = 4,
    kSwShow = 5,
    kSwMinimize = 6,
    kSwShowMinNoActive = 7,
    kSwShowNa = 8,
    kSwRestore = 9,
};

// WM_SYSCOMMAND requests (SC_*).
enum SysCommand : unsigned {
    kScMinimize = 0xF020,
    kScMaximize = 0xF030,
    kScRestore = 0xF120,
};

// GetWindow relations (GW_*).
enum GetWindowCommand : unsigned {
    kGwHwndNext = 2,
    kGwChild = 5,
};

// SetWindowPos flags (SWP_*).
inline constexpr unsigned kSwpNoSize = 0x0001;
inline constexpr unsigned kSwpNoMove = 0x0002;
inline constexpr unsigned kSwpNoZOrder = 0x0004;
inline constexpr unsigned kSwpNoActivate = 0x0010;
inline constexpr unsigned kSwpShowWindow = 0x0040;
inline constexpr unsigned kSwpHideWindow = 0x0080;

// SetWindowPos insert-after values (HWND_*).
inline constexpr WindowHandle kHwndTop = 0;
inline constexpr WindowHandle kHwndBottom = 1;
inline constexpr WindowHandle kHwndTopmost = static_cast<WindowHandle>(-1);
inline constexpr WindowHandle kHwndNoTopmost = static_cast<WindowHandle>(-2);

// Window trees are acyclic in Win32; walks up through parents and owners stop after this
// many steps only so that a broken backend cannot hang them.
inline constexpr int kMaxParentSteps = 4096;

// Buffer sizes the callers read texts with, in characters: at most 255 characters of a
// title and 31 of a class name.
inline constexpr int kTitleBufferSize = 256;
inline constexpr int kClassBufferSize = 32;

// The queries and actions on windows (other applications' and our own frame) that the
// portable core makes, named after the Win32 calls they stand for.
//
// Failure rule: a handle that no longer denotes a window, and the null handle, read as a
// window with an empty title, an empty class name, no children, no parent, style 0,
// process 0, not visible, not minimized, not maximized, not hung and empty rectangles;
// actions on it do nothing. Nothing is reported: callers never see an error from these
// calls, and the results of actions are not returned, except whether a sent request was
// answered.
//
// Another application's window can only be raised, shown, moved or sent a request by its
// own thread, so those calls wait on that application. An application that no longer
// answers would freeze the caller: ask IsHungAppWindow first and pass such a window over.
// Sent system commands and the cascade give up on a hung target by themselves.
//
// Texts are UTF-8 (read through the wide functions of Win32, so no character is lost to
// the ANSI code page); a bound in characters keeps whole characters. All calls come from
// the user-interface thread.
class WindowSystem {
  public:
    // Called with each descendant; return true to go on, false to stop.
    using ChildCallback = std::function<bool(WindowHandle)>;

    virtual ~WindowSystem() = default;

    // --- Queries ---

    // The window the user is working in, or none.
    virtual WindowHandle GetForegroundWindow() = 0;
    // The parent of all top-level windows.
    virtual WindowHandle GetDesktopWindow() = 0;
    // The child at the top of the window's z-order, or none (GetTopWindow; a null window
    // gives none, not the desktop's top child).
    virtual WindowHandle GetTopWindow(WindowHandle window) = 0;
    // GW_CHILD: the topmost child; GW_HWNDNEXT: the sibling below. None at the end.
    virtual WindowHandle GetWindow(WindowHandle window, GetWindowCommand command) = 0;
    // Every descendant, depth first in z-order, a parent before its children, until the
    // callback returns false. A window destroyed before its turn is not visited; one
    // created during the walk is not visited either.
    virtual void EnumChildWindows(WindowHandle parent, const ChildCallback& callback) = 0;
    // The parent of a child window, the owner of an owned pop-up window, none otherwise.
    virtual WindowHandle GetParent(WindowHandle window) = 0;
    // The window a window lies in (GetAncestor GA_PARENT): its parent, never its owner;
    // none for a top-level window. One question where GetParent asks two (the style, then
    // the parent or the owner).
    virtual WindowHandle GetContainer(WindowHandle window) = 0;
    // GetWindowLong(GWL_STYLE).
    virtual std::uint32_t GetWindowStyle(WindowHandle window) = 0;
    // The title, truncated to bufferSize - 1 whole characters (nothing for a size below 2).
    virtual std::string GetWindowText(WindowHandle window, int bufferSize = kTitleBufferSize) = 0;
    // The same title into a string the caller keeps, whose room is used again: a walk
    // over a thousand documents every tick then allocates nothing for their titles.
    virtual void ReadWindowText(WindowHandle window, std::string& into,
                                int bufferSize = kTitleBufferSize) {
        into = GetWindowText(window, bufferSize);
    }
    // The length of the whole title in characters of the wide text (UTF-16 units).
    virtual int GetWindowTextLength(WindowHandle window) = 0;
    // The class name, truncated to bufferSize - 1 whole characters.
    virtual std::string GetClassName(WindowHandle window, int bufferSize = kClassBufferSize) = 0;
    // False when the window or any of its ancestors lacks WS_VISIBLE.
    virtual bool IsWindowVisible(WindowHandle window) = 0;
    virtual bool IsIconic(WindowHandle window) = 0;
    virtual bool IsZoomed(WindowHandle window) = 0;
    // The process that owns the window (GetWindowThreadProcessId); 0 when it is gone.
    virtual std::uint32_t GetWindowProcessId(WindowHandle window) = 0;
    // The outer rectangle in screen coordinates.
    virtual Rect GetWindowRect(WindowHandle window) = 0;
    // The client area, origin 0,0.
    virtual Rect GetClientRect(WindowHandle window) = 0;
    // Where a top-level window goes when it is restored, in screen coordinates: its window
    // rectangle unless it is minimized or maximized.
    virtual Rect GetRestoredRect(WindowHandle window) = 0;
    // The owned pop-up that was active last, or the window itself; none when it is gone.
    virtual WindowHandle GetLastActivePopup(WindowHandle window) = 0;
    // Whether the system has the function that cascades an MDI client's documents
    // (CascadeWindows); every Windows in use today has it.
    virtual bool SystemCascades() = 0;
    // Whether the window's application has stopped answering: the system counts it hung,
    // or it does not answer a harmless request within a short time. Never waits long.
    virtual bool IsHungAppWindow(WindowHandle window) = 0;
    // The full rectangles of the display monitors in virtual-screen coordinates, the
    // primary monitor first. Never empty: a host that cannot tell gives the screen.
    virtual std::vector<Rect> GetMonitorRects() = 0;

    // --- Actions ---

    // Raises the window among its siblings.
    virtual void BringWindowToTop(WindowHandle window) = 0;
    virtual void SetForegroundWindow(WindowHandle window) = 0;
    virtual void ShowWindow(WindowHandle window, ShowCommand command) = 0;
    // insertAfter is a sibling or one of the kHwnd* values; x and y are in the parent's
    // client coordinates (screen coordinates for a top-level window).
    virtual void SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx,
                              int cy, unsigned flags) = 0;
    // WM_SYSCOMMAND, sent: done when the call returns true. False when the window is gone
    // or its application did not answer in time (a hung target is given up at once).
    virtual bool SendSysCommand(WindowHandle window, SysCommand command) = 0;
    // WM_SYSCOMMAND, posted: the window's application carries it out later.
    virtual void PostSysCommand(WindowHandle window, SysCommand command) = 0;
    // WM_CLOSE, posted.
    virtual void PostClose(WindowHandle window) = 0;
    // Cascades the document windows of an MDI client, skipping disabled ones. Sent, and
    // given up like SendSysCommand when the application does not answer.
    virtual void CascadeWindows(WindowHandle mdiClient) = 0;
    // Invalidates the whole window, erasing the background.
    virtual void InvalidateRect(WindowHandle window) = 0;

    // --- Events ---

    // From now on hands the window events of every other process (the kinds of
    // WindowEventKind) to the sink; none stops them. A host that cannot deliver them, or delivers only some
    // kinds, is still a whole window system: whatever is not reported is found by polling.
    virtual void SetEventSink(WindowEventSink* sink) { (void)sink; }

  protected:
    WindowSystem() = default;
    WindowSystem(const WindowSystem&) = default;
    WindowSystem& operator=(const WindowSystem&) = default;
};

}  // namespace perch
