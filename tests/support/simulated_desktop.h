#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/window_system.h"

namespace perch::test {

// The actions a test can see, one kind per WindowSystem action.
enum class ActionKind {
    kBringWindowToTop,
    kSetForegroundWindow,
    kShowWindow,
    kSetWindowPos,
    kSendSysCommand,
    kPostSysCommand,
    kPostClose,
    kCascadeWindows,
    kInvalidateRect,
};

// One action call as the caller made it (also when the handle was dead). Fields the kind
// does not use stay 0, so records compare exactly.
struct Action {
    ActionKind kind{};
    WindowHandle window = kNoWindow;
    unsigned command = 0;  // ShowWindow's show command, the system command
    WindowHandle insertAfter = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    unsigned flags = 0;  // SetWindowPos flags

    bool operator==(const Action&) const = default;

    static Action BringWindowToTop(WindowHandle window);
    static Action SetForegroundWindow(WindowHandle window);
    static Action ShowWindow(WindowHandle window, ShowCommand command);
    static Action SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx,
                               int cy, unsigned flags);
    static Action SendSysCommand(WindowHandle window, SysCommand command);
    static Action PostSysCommand(WindowHandle window, SysCommand command);
    static Action PostClose(WindowHandle window);
    static Action CascadeWindows(WindowHandle mdiClient);
    static Action InvalidateRect(WindowHandle window);
};

std::ostream& operator<<(std::ostream& os, const Action& action);

// The queries, for counting them and for hooks that run inside them.
enum class Query {
    kGetForegroundWindow,
    kGetDesktopWindow,
    kGetTopWindow,
    kGetWindow,
    kEnumChildWindows,
    kGetParent,
    kGetContainer,
    kGetWindowStyle,
    kGetWindowText,
    kGetWindowTextLength,
    kGetClassName,
    kIsWindowVisible,
    kIsIconic,
    kIsZoomed,
    kGetWindowProcessId,
    kGetWindowRect,
    kGetClientRect,
    kGetRestoredRect,
    kGetLastActivePopup,
    kSystemCascades,
    kIsHungAppWindow,
    kGetMonitorRects,
    kCount,
};

// A model of the Win32 window manager for unit tests: a desktop window with top-level
// windows, child windows in a parent/child tree, owners, sibling z-order with a topmost
// band, styles, classes, titles, processes, visibility, minimized and maximized states,
// rectangles and the foreground window. Actions change the model the way Windows does
// (and Wine, where its source shows the details); posted requests wait for
// RunPostedMessages. Every action call is logged in order.
//
// Model rules worth knowing (each one follows Win32 documentation or Wine's source):
// - A new top-level window goes to the top of its band, a new child window to the bottom
//   of its siblings, as CreateWindowEx does.
// - GetParent: the parent of a WS_CHILD window, the owner of a WS_POPUP window, otherwise
//   none (an owned window without WS_POPUP has no "parent").
// - An owned window stays above its owner; raising the owner raises the windows it owns.
// - SetWindowPos without SWP_NOACTIVATE on a top-level window moves it to the top of its
//   band, whatever insert-after said (unless that was HWND_TOPMOST or HWND_NOTOPMOST).
//   Activation itself does not change the foreground here: whether Windows lets another
//   process's window become the foreground is not certain. BringWindowToTop is
//   SetWindowPos(HWND_TOP, SWP_NOMOVE | SWP_NOSIZE).
// - SetForegroundWindow on a live window that is not a pure child makes it the
//   foreground, raises it to the top of its band and makes it the last active pop-up of
//   its owners.
// - ShowWindow restores, minimizes and maximizes as Wine's show_window does, including
//   "restore a minimized window to maximized when it was maximized before"; a maximized
//   MDI document covers its client's area with its whole frame outside it, another window
//   has only its border (the bottom inset) outside, its caption stays in; minimizing
//   keeps the rectangle (no icon position is modelled).
// - WM_SYSCOMMAND does what DefWindowProc does (SC_MINIMIZE/SC_MAXIMIZE/SC_RESTORE as
//   ShowWindow SW_MINIMIZE/SW_MAXIMIZE/SW_RESTORE; nothing for a disabled window).
//   WM_CLOSE destroys the window.
// - Destroying a window destroys its descendants and the windows it owns; the foreground
//   becomes none when it was among them.
// - CascadeWindows does what Wine's MDI client does for WM_MDICASCADE: restore a
//   maximized child, then place the visible, enabled, non-minimized children from the
//   bottom of the z-order up at steps of kCascadeSpacing, sized to the client area less
//   the stagger; the z-order is kept.
// - Monitors: one, the screen rectangle the desktop was made with, until SetMonitors.
//   They are only what GetMonitorRects answers: the desktop window keeps the screen
//   rectangle, and top-level windows still maximize to it.
// - A hung process (SetHung) answers nothing, and its windows report IsHungAppWindow.
//   BringWindowToTop, ShowWindow and SetWindowPos on one of its windows would wait on its
//   thread for ever: here they do nothing and count as a frozen call (FrozenCalls).
//   SendSysCommand and CascadeWindows give up on it at once (the real backend sends with
//   SMTO_ABORTIFHUNG): nothing happens, nothing freezes, and the send returns false.
//   SetForegroundWindow and InvalidateRect do not wait on the target and work as usual.
//   Posted messages to its windows stay queued, in order, until the process answers
//   again; each application has its own queue, so other windows' messages go on.
// Not modelled: MDI activation rules inside applications (which child becomes active
// when one is minimized or closed), icon arrangement, focus.
class SimulatedDesktop final : public WindowSystem {
  public:
    // Frame widths around the client area.
    struct Insets {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
    };

    // A standard MDI application: frame, MDI client and document windows.
    struct MdiApp {
        WindowHandle frame = kNoWindow;
        WindowHandle client = kNoWindow;
        std::vector<WindowHandle> documents;  // topmost first, as given
    };

    // Called at the start of every query (before it answers) with the query, its window
    // argument and the number of that query's calls so far, this one included. The hook
    // may change the model (destroy a window, retitle it); queries it makes itself do not
    // count and do not call hooks.
    using QueryHook = std::function<void(Query query, WindowHandle window, int callNumber)>;

    static constexpr std::uint32_t kDesktopProcessId = 4;
    // Caption height plus frame minus one, Wine's default metrics.
    static constexpr int kCascadeSpacing = 22;
    // Frame insets CreateMdiApp gives its windows.
    static constexpr Insets kFrameInsets{4, 42, 4, 4};  // caption and menu bar
    static constexpr Insets kClientInsets{2, 2, 2, 2};  // sunken edge
    static constexpr Insets kDocumentInsets{4, 23, 4, 4};

    explicit SimulatedDesktop(Rect screen = {0, 0, 1024, 768});

    // --- WindowSystem ---
    WindowHandle GetForegroundWindow() override;
    WindowHandle GetDesktopWindow() override;
    WindowHandle GetTopWindow(WindowHandle window) override;
    WindowHandle GetWindow(WindowHandle window, GetWindowCommand command) override;
    void EnumChildWindows(WindowHandle parent, const ChildCallback& callback) override;
    WindowHandle GetParent(WindowHandle window) override;
    WindowHandle GetContainer(WindowHandle window) override;
    std::uint32_t GetWindowStyle(WindowHandle window) override;
    std::string GetWindowText(WindowHandle window, int bufferSize = kTitleBufferSize) override;
    int GetWindowTextLength(WindowHandle window) override;
    std::string GetClassName(WindowHandle window, int bufferSize = kClassBufferSize) override;
    bool IsWindowVisible(WindowHandle window) override;
    bool IsIconic(WindowHandle window) override;
    bool IsZoomed(WindowHandle window) override;
    std::uint32_t GetWindowProcessId(WindowHandle window) override;
    Rect GetWindowRect(WindowHandle window) override;
    Rect GetClientRect(WindowHandle window) override;
    Rect GetRestoredRect(WindowHandle window) override;
    WindowHandle GetLastActivePopup(WindowHandle window) override;
    bool SystemCascades() override;
    bool IsHungAppWindow(WindowHandle window) override;
    std::vector<Rect> GetMonitorRects() override;

    void BringWindowToTop(WindowHandle window) override;
    void SetForegroundWindow(WindowHandle window) override;
    void ShowWindow(WindowHandle window, ShowCommand command) override;
    void SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                      unsigned flags) override;
    bool SendSysCommand(WindowHandle window, SysCommand command) override;
    void PostSysCommand(WindowHandle window, SysCommand command) override;
    void PostClose(WindowHandle window) override;
    void CascadeWindows(WindowHandle mdiClient) override;
    void InvalidateRect(WindowHandle window) override;
    void SetEventSink(WindowEventSink* sink) override;

    // --- Building the scene (not logged, no hooks) ---

    // A top-level window at the top of its band; rect in screen coordinates. Give an
    // owner and kWsPopup for a dialog-like pop-up.
    WindowHandle CreateTopLevel(std::string_view title, std::string_view className,
                                std::uint32_t processId, Rect rect = {100, 100, 500, 400},
                                std::uint32_t style = kWsOverlappedWindow | kWsVisible,
                                WindowHandle owner = kNoWindow);
    // An owned pop-up (WS_POPUP) of the owner's process.
    WindowHandle CreatePopup(WindowHandle owner, std::string_view title,
                             std::string_view className = "#32770",
                             Rect rect = {150, 150, 450, 350});
    // A child window below its siblings, of the parent's process; rect in the parent's
    // client coordinates. kWsChild is always added.
    WindowHandle CreateChild(WindowHandle parent, std::string_view title,
                             std::string_view className, Rect rect = {0, 0, 300, 200},
                             std::uint32_t style = kWsOverlappedWindow | kWsVisible);
    // Frame (rect in screen coordinates), an MDI client of the given class filling the
    // frame's client area, and visible documents in z-order, topmost first.
    MdiApp CreateMdiApp(std::string_view frameTitle, std::uint32_t processId,
                        const std::vector<std::string>& documentTitles,
                        std::string_view clientClass = "MDIClient",
                        Rect frameRect = {0, 0, 640, 480});

    void Destroy(WindowHandle window);
    // Moves the window under another parent (none: the desktop) at the top of its new
    // siblings' normal band, as SetParent does; it keeps its style, owner and rectangle
    // (now in the new parent's client coordinates) and is no longer topmost. Nothing
    // happens when the new parent is gone, is the window itself or one of its descendants,
    // or is owned by one of them.
    void SetParent(WindowHandle window, WindowHandle newParent);
    // Titles are C strings in Win32: everything from an embedded NUL on is dropped.
    void SetTitle(WindowHandle window, std::string_view title);
    void SetStyle(WindowHandle window, std::uint32_t style);
    void Show(WindowHandle window);  // WS_VISIBLE on, nothing else
    void Hide(WindowHandle window);  // WS_VISIBLE off, nothing else
    void SetEnabled(WindowHandle window, bool enabled);
    void Minimize(WindowHandle window);  // as ShowWindow(SW_MINIMIZE)
    void Maximize(WindowHandle window);  // as ShowWindow(SW_MAXIMIZE)
    void Restore(WindowHandle window);   // as ShowWindow(SW_RESTORE)
    // Outer rectangle in the parent's client coordinates (screen for top-level windows);
    // also the restore rectangle.
    void SetRect(WindowHandle window, Rect rect);
    void SetInsets(WindowHandle window, Insets insets);
    void SetProcessId(WindowHandle window, std::uint32_t processId);
    // Makes the window the foreground as SetForegroundWindow does; none is allowed.
    void SetForeground(WindowHandle window);
    void SetTopmost(WindowHandle window, bool topmost);  // to the top of the new band
    void Raise(WindowHandle window);                     // to the top of its band
    void Lower(WindowHandle window);                     // as HWND_BOTTOM: not topmost
    void SetSystemCascades(bool cascades) { systemCascades_ = cascades; }
    // The display monitors, primary first. An empty list is ignored: Windows always has a
    // monitor.
    void SetMonitors(std::vector<Rect> monitors);
    // Stops or resumes the process answering messages; its windows stay as they are.
    void SetHung(std::uint32_t processId, bool hung);

    // --- Looking at the model (not queries: not counted, no hooks) ---
    bool IsWindow(WindowHandle window) const;
    bool IsTopmost(WindowHandle window) const;
    std::vector<WindowHandle> Children(WindowHandle window) const;  // topmost first
    std::vector<WindowHandle> TopLevelWindows() const { return Children(desktop_); }
    std::string Title(WindowHandle window) const;
    Rect ScreenRect(WindowHandle window) const;

    // --- Posted messages ---
    std::size_t PendingPostedMessages() const { return posted_.size(); }
    // Delivers what is queued now, in order; messages to windows that are gone are
    // dropped, those to a hung process's windows stay queued for a later run. Returns how
    // many were delivered.
    std::size_t RunPostedMessages();

    // --- Window events (simulated_desktop_events.cpp) ---
    // While a sink listens, changes to the model queue the events Windows reports for them
    // (created, destroyed, shown, hidden, retitled, minimized and restored, brought to the
    // foreground); they reach the sink only at DeliverEvents, as out-of-context events
    // reach a program only from its message loop, and then carry the process the window
    // has at that time (0 once it is gone). Focus is not modelled: a test raises a focus
    // event itself where the application would move the focus.
    // The kinds reported, all by default; WineEventKinds() are those Wine 8 reports from
    // another process.
    void SetReportedEvents(std::set<WindowEventKind> kinds) { reportedEvents_ = std::move(kinds); }
    static std::set<WindowEventKind> WineEventKinds();
    void RaiseEvent(WindowEventKind kind, WindowHandle window, std::int32_t object = kObjectWindow,
                    std::int32_t child = kChildSelf);
    std::size_t PendingEvents() const { return events_.size(); }
    // Hands the queued events to the sink in order (also those that the sink's own calls
    // queue meanwhile); how many.
    std::size_t DeliverEvents();

    // --- The action log ---
    const std::vector<Action>& Actions() const { return actions_; }
    // Empties the log and sets FrozenCalls back to 0: the count is about the logged calls.
    void ClearActions() {
        actions_.clear();
        frozenCalls_ = 0;
    }
    // How many logged calls would have frozen the caller: they waited on a hung process.
    int FrozenCalls() const { return frozenCalls_; }

    // --- Query hooks and counts ---
    void SetQueryHook(QueryHook hook) { hook_ = std::move(hook); }
    // Runs the action once, at the start of the nth call of that query from now on
    // counted as QueryCount counts (so n is absolute: 1 = the first call after a reset).
    void OnNthQuery(Query query, int n, std::function<void()> action);
    int QueryCount(Query query) const { return queryCounts_[static_cast<std::size_t>(query)]; }
    void ResetQueryCounts();

  private:
    struct Window {
        WindowHandle handle = kNoWindow;
        WindowHandle parent = kNoWindow;  // the desktop for top-level windows
        WindowHandle owner = kNoWindow;
        std::vector<WindowHandle> children;  // topmost first
        std::string title;
        std::string className;
        std::uint32_t processId = 0;
        std::uint32_t style = 0;
        bool topmost = false;
        bool restoreToMaximized = false;
        bool mdiDocument = false;  // a child of an MDI client: DefMDIChildProc's maximizing
        Rect rect;                 // in the parent's client coordinates
        Rect normalRect;           // where a restore puts it
        Insets insets;
        WindowHandle lastActive = kNoWindow;
    };
    struct Posted {
        WindowHandle window = kNoWindow;
        bool close = false;
        SysCommand command{};
    };
    struct Trigger {
        Query query{};
        int callNumber = 0;
        std::function<void()> action;
    };

    Window* Find(WindowHandle window);
    const Window* Find(WindowHandle window) const;
    WindowHandle NewWindow(WindowHandle parent, WindowHandle owner, std::string_view title,
                           std::string_view className, std::uint32_t processId, Rect rect,
                           std::uint32_t style);
    // Counts the query and runs the hooks that are due.
    void Enter(Query query, WindowHandle window);
    void Log(const Action& action) { actions_.push_back(action); }
    bool IsTopLevel(const Window& w) const { return w.parent == desktop_; }
    bool Hung(const Window& w) const { return hungProcesses_.count(w.processId) != 0; }
    // The window an action that waits on its thread may change: null when the handle is
    // dead or the desktop, and when its process is hung (the call then counts as frozen).
    Window* Answering(WindowHandle window);
    bool Visible(WindowHandle window) const;       // IsWindowVisible's rule
    Rect ClientRectOf(WindowHandle window) const;  // GetClientRect's rule
    Rect MaximizedRect(const Window& w) const;
    Rect MinimizedRect(const Window& w) const;

    // Z-order (simulated_desktop_zorder.cpp).
    void Link(Window& w, WindowHandle insertAfter);
    void KeepOwnedAbove(Window& w);
    void Reorder(Window& w, WindowHandle insertAfter);

    // State changes shared by actions and builders (simulated_desktop_actions.cpp).
    void ApplyShow(Window& w, ShowCommand command);
    void ApplySetWindowPos(Window& w, WindowHandle insertAfter, int x, int y, int cx, int cy,
                           unsigned flags);
    void ApplySysCommand(Window& w, SysCommand command);
    void ApplyForeground(WindowHandle window);
    void ApplyCascade(Window& client);
    void DestroyTree(WindowHandle window);
    // Queues an event about the window when a sink listens and the kind is reported.
    void Notify(WindowEventKind kind, WindowHandle window) { RaiseEvent(kind, window); }
    // Queues the events of a change of the window's style: shown or hidden, minimized or
    // restored.
    void NotifyStyleChange(WindowHandle window, std::uint32_t oldStyle);

    std::map<WindowHandle, Window> windows_;
    WindowHandle desktop_ = kNoWindow;
    WindowHandle foreground_ = kNoWindow;
    WindowHandle nextHandle_ = 0x10010;
    bool systemCascades_ = true;
    std::vector<Rect> monitors_;
    std::set<std::uint32_t> hungProcesses_;
    int frozenCalls_ = 0;
    std::vector<Posted> posted_;
    std::vector<Action> actions_;
    QueryHook hook_;
    std::vector<Trigger> triggers_;
    int queryCounts_[static_cast<std::size_t>(Query::kCount)] = {};
    bool inHook_ = false;
    WindowEventSink* eventSink_ = nullptr;
    std::set<WindowEventKind> reportedEvents_ = AllEventKinds();
    std::vector<WindowEvent> events_;
    static std::set<WindowEventKind> AllEventKinds();
};

}  // namespace perch::test
