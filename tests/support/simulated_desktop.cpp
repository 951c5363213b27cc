// The window tree, the builders and the queries of the simulated desktop.

#include "support/simulated_desktop.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <utility>

#include "platform/utf8.h"

namespace perch::test {
namespace {

// Win32 titles and class names are C strings.
std::string CString(std::string_view text) {
    return std::string(text.substr(0, std::min(text.find('\0'), text.size())));
}

// Titles are held as UTF-8, as the shell hands them over; a buffer keeps whole characters.
std::string Truncated(const std::string& text, int bufferSize) {
    if (bufferSize < 2) {
        return {};
    }
    const auto maxChars = static_cast<std::size_t>(bufferSize - 1);
    if (text.size() <= maxChars) {
        return text;  // no more characters than bytes
    }
    return text.substr(0, CutToChars(text, maxChars));
}

}  // namespace

SimulatedDesktop::SimulatedDesktop(Rect screen) {
    desktop_ = nextHandle_;
    nextHandle_ += 0x10;
    Window& d = windows_[desktop_];
    d.handle = desktop_;
    d.className = "#32769";
    d.processId = kDesktopProcessId;
    d.style = kWsPopup | kWsVisible;
    d.rect = d.normalRect = screen;
    d.lastActive = desktop_;
    monitors_.push_back(screen);
}

SimulatedDesktop::Window* SimulatedDesktop::Find(WindowHandle window) {
    const auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : &found->second;
}

const SimulatedDesktop::Window* SimulatedDesktop::Find(WindowHandle window) const {
    const auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : &found->second;
}

WindowHandle SimulatedDesktop::NewWindow(WindowHandle parent, WindowHandle owner,
                                         std::string_view title, std::string_view className,
                                         std::uint32_t processId, Rect rect, std::uint32_t style) {
    const WindowHandle handle = nextHandle_;
    nextHandle_ += 0x10;
    Window& w = windows_[handle];
    w.handle = handle;
    w.parent = parent;
    w.owner = Find(owner) ? owner : kNoWindow;
    w.title = CString(title);
    w.className = CString(className);
    w.processId = processId;
    w.style = style & ~(kWsMinimize | kWsMaximize);
    w.rect = w.normalRect = rect;
    w.lastActive = handle;
    if (const Window* p = Find(parent)) {
        std::string lower = p->className;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        w.mdiDocument = lower == "mdiclient";
    }
    // CreateWindowEx links top-level windows at the top and child windows at the bottom.
    Link(w, IsChildStyle(w.style) ? kHwndBottom : kHwndTop);
    Notify(WindowEventKind::kCreate, handle);
    if (style & kWsVisible) {
        Notify(WindowEventKind::kShow, handle);
    }
    if (style & kWsMaximize) {
        ApplyShow(w, kSwShowMaximized);
    } else if (style & kWsMinimize) {
        ApplyShow(w, kSwShowMinNoActive);
    }
    if (!(style & kWsVisible)) {
        w.style &= ~kWsVisible;
    }
    return handle;
}

// --- Builders ---

WindowHandle SimulatedDesktop::CreateTopLevel(std::string_view title, std::string_view className,
                                              std::uint32_t processId, Rect rect,
                                              std::uint32_t style, WindowHandle owner) {
    return NewWindow(desktop_, owner, title, className, processId, rect, style & ~kWsChild);
}

WindowHandle SimulatedDesktop::CreatePopup(WindowHandle owner, std::string_view title,
                                           std::string_view className, Rect rect) {
    const Window* o = Find(owner);
    const std::uint32_t pid = o ? o->processId : 0;
    return NewWindow(desktop_, owner, title, className, pid, rect, kWsPopup | kWsVisible);
}

WindowHandle SimulatedDesktop::CreateChild(WindowHandle parent, std::string_view title,
                                           std::string_view className, Rect rect,
                                           std::uint32_t style) {
    const Window* p = Find(parent);
    if (!p) {
        return kNoWindow;
    }
    return NewWindow(parent, kNoWindow, title, className, p->processId, rect,
                     (style | kWsChild) & ~kWsPopup);
}

SimulatedDesktop::MdiApp SimulatedDesktop::CreateMdiApp(
    std::string_view frameTitle, std::uint32_t processId,
    const std::vector<std::string>& documentTitles, std::string_view clientClass, Rect frameRect) {
    MdiApp app;
    app.frame = CreateTopLevel(frameTitle, "MdiFrame", processId, frameRect);
    SetInsets(app.frame, kFrameInsets);
    app.client = CreateChild(app.frame, "", clientClass, ClientRectOf(app.frame), kWsVisible);
    SetInsets(app.client, kClientInsets);
    int offset = 0;
    for (const std::string& title : documentTitles) {
        // New children go below their siblings, so creating in order keeps the first on top.
        const WindowHandle doc = CreateChild(app.client, title, "MdiDocument",
                                             {offset, offset, offset + 300, offset + 200});
        SetInsets(doc, kDocumentInsets);
        windows_.at(doc).mdiDocument = true;  // whatever the client's class is called
        app.documents.push_back(doc);
        offset += kCascadeSpacing;
    }
    return app;
}

void SimulatedDesktop::Destroy(WindowHandle window) {
    if (window != desktop_ && Find(window)) {
        DestroyTree(window);
    }
}

void SimulatedDesktop::DestroyTree(WindowHandle window) {
    Window* w = Find(window);
    if (!w) {
        return;
    }
    Notify(WindowEventKind::kDestroy, window);
    const std::vector<WindowHandle> children = w->children;
    for (WindowHandle child : children) {
        DestroyTree(child);
    }
    std::vector<WindowHandle> owned;
    for (const auto& [handle, other] : windows_) {
        if (other.owner == window) {
            owned.push_back(handle);
        }
    }
    for (WindowHandle o : owned) {
        DestroyTree(o);
    }
    w = Find(window);
    if (!w) {
        return;
    }
    if (Window* parent = Find(w->parent)) {
        std::erase(parent->children, window);
    }
    if (foreground_ == window) {
        foreground_ = kNoWindow;
    }
    windows_.erase(window);
}

void SimulatedDesktop::SetParent(WindowHandle window, WindowHandle newParent) {
    if (newParent == kNoWindow) {
        newParent = desktop_;
    }
    Window* w = Find(window);
    if (!w || window == desktop_ || !Find(newParent)) {
        return;
    }
    // Win32 refuses a parent below the window itself: the tree would become a cycle. A
    // parent the window owns (itself or through its descendants) is refused too: the
    // model destroys owned windows with their owner, which would then never end.
    std::vector<WindowHandle> above{newParent};
    std::set<WindowHandle> seen;
    while (!above.empty()) {
        const Window* p = Find(above.back());
        above.pop_back();
        if (!p || !seen.insert(p->handle).second) {
            continue;
        }
        if (p->handle == window) {
            return;
        }
        above.push_back(p->parent);
        above.push_back(p->owner);
    }
    if (Window* old = Find(w->parent)) {
        std::erase(old->children, window);
    }
    w->parent = newParent;
    w->topmost = false;
    Reorder(*w, kHwndTop);
}

void SimulatedDesktop::SetTitle(WindowHandle window, std::string_view title) {
    if (Window* w = Find(window)) {
        w->title = CString(title);
        Notify(WindowEventKind::kNameChange, window);
    }
}

void SimulatedDesktop::SetStyle(WindowHandle window, std::uint32_t style) {
    if (Window* w = Find(window); w && window != desktop_) {
        w->style = style;
    }
}

void SimulatedDesktop::Show(WindowHandle window) {
    if (Window* w = Find(window)) {
        const std::uint32_t old = w->style;
        w->style |= kWsVisible;
        NotifyStyleChange(window, old);
    }
}

void SimulatedDesktop::Hide(WindowHandle window) {
    if (Window* w = Find(window); w && window != desktop_) {
        const std::uint32_t old = w->style;
        w->style &= ~kWsVisible;
        NotifyStyleChange(window, old);
    }
}

void SimulatedDesktop::SetEnabled(WindowHandle window, bool enabled) {
    if (Window* w = Find(window)) {
        w->style = enabled ? (w->style & ~kWsDisabled) : (w->style | kWsDisabled);
    }
}

void SimulatedDesktop::Minimize(WindowHandle window) {
    if (Window* w = Find(window); w && window != desktop_) {
        ApplyShow(*w, kSwMinimize);
    }
}

void SimulatedDesktop::Maximize(WindowHandle window) {
    if (Window* w = Find(window); w && window != desktop_) {
        ApplyShow(*w, kSwShowMaximized);
    }
}

void SimulatedDesktop::Restore(WindowHandle window) {
    if (Window* w = Find(window); w && window != desktop_) {
        ApplyShow(*w, kSwRestore);
    }
}

void SimulatedDesktop::SetRect(WindowHandle window, Rect rect) {
    if (Window* w = Find(window); w && window != desktop_) {
        w->rect = w->normalRect = rect;
    }
}

void SimulatedDesktop::SetInsets(WindowHandle window, Insets insets) {
    if (Window* w = Find(window)) {
        w->insets = insets;
    }
}

void SimulatedDesktop::SetProcessId(WindowHandle window, std::uint32_t processId) {
    if (Window* w = Find(window)) {
        w->processId = processId;
    }
}

void SimulatedDesktop::SetForeground(WindowHandle window) {
    if (window == kNoWindow) {
        foreground_ = kNoWindow;
        return;
    }
    ApplyForeground(window);
}

void SimulatedDesktop::SetTopmost(WindowHandle window, bool topmost) {
    if (Window* w = Find(window); w && window != desktop_) {
        Reorder(*w, topmost ? kHwndTopmost : kHwndNoTopmost);
    }
}

void SimulatedDesktop::Raise(WindowHandle window) {
    if (Window* w = Find(window); w && window != desktop_) {
        Reorder(*w, kHwndTop);
    }
}

void SimulatedDesktop::Lower(WindowHandle window) {
    if (Window* w = Find(window); w && window != desktop_) {
        Reorder(*w, kHwndBottom);
    }
}

void SimulatedDesktop::SetMonitors(std::vector<Rect> monitors) {
    if (!monitors.empty()) {
        monitors_ = std::move(monitors);
    }
}

void SimulatedDesktop::SetHung(std::uint32_t processId, bool hung) {
    if (hung) {
        hungProcesses_.insert(processId);
    } else {
        hungProcesses_.erase(processId);
    }
}

// --- Looking at the model ---

bool SimulatedDesktop::IsWindow(WindowHandle window) const {
    return Find(window) != nullptr;
}

bool SimulatedDesktop::IsTopmost(WindowHandle window) const {
    const Window* w = Find(window);
    return w && w->topmost;
}

std::vector<WindowHandle> SimulatedDesktop::Children(WindowHandle window) const {
    const Window* w = Find(window);
    return w ? w->children : std::vector<WindowHandle>{};
}

std::string SimulatedDesktop::Title(WindowHandle window) const {
    const Window* w = Find(window);
    return w ? w->title : std::string();
}

Rect SimulatedDesktop::ScreenRect(WindowHandle window) const {
    const Window* w = Find(window);
    if (!w) {
        return {};
    }
    Rect r = w->rect;
    const Window* p = Find(w->parent);
    // Top-level rectangles are kept in screen coordinates already.
    if (p && w->handle != desktop_ && p->handle != desktop_) {
        const Rect pr = ScreenRect(p->handle);
        const int dx = pr.left + p->insets.left;
        const int dy = pr.top + p->insets.top;
        r = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
    }
    return r;
}

Rect SimulatedDesktop::ClientRectOf(WindowHandle window) const {
    const Window* w = Find(window);
    if (!w) {
        return {};
    }
    return {0, 0, std::max(0, w->rect.Width() - w->insets.left - w->insets.right),
            std::max(0, w->rect.Height() - w->insets.top - w->insets.bottom)};
}

// --- Hooks ---

void SimulatedDesktop::OnNthQuery(Query query, int n, std::function<void()> action) {
    triggers_.push_back({query, n, std::move(action)});
}

void SimulatedDesktop::ResetQueryCounts() {
    std::fill(std::begin(queryCounts_), std::end(queryCounts_), 0);
}

void SimulatedDesktop::Enter(Query query, WindowHandle window) {
    if (inHook_) {
        return;
    }
    const int callNumber = ++queryCounts_[static_cast<std::size_t>(query)];
    inHook_ = true;
    // Take the due triggers out first: an action may add new ones.
    std::vector<Trigger> due;
    for (auto it = triggers_.begin(); it != triggers_.end();) {
        if (it->query == query && it->callNumber == callNumber) {
            due.push_back(std::move(*it));
            it = triggers_.erase(it);
        } else {
            ++it;
        }
    }
    for (Trigger& t : due) {
        t.action();
    }
    if (hook_) {
        hook_(query, window, callNumber);
    }
    inHook_ = false;
}

// --- Queries ---

WindowHandle SimulatedDesktop::GetForegroundWindow() {
    Enter(Query::kGetForegroundWindow, kNoWindow);
    return Find(foreground_) ? foreground_ : kNoWindow;
}

WindowHandle SimulatedDesktop::GetDesktopWindow() {
    Enter(Query::kGetDesktopWindow, kNoWindow);
    return desktop_;
}

WindowHandle SimulatedDesktop::GetTopWindow(WindowHandle window) {
    Enter(Query::kGetTopWindow, window);
    const Window* w = Find(window);
    return w && !w->children.empty() ? w->children.front() : kNoWindow;
}

WindowHandle SimulatedDesktop::GetWindow(WindowHandle window, GetWindowCommand command) {
    Enter(Query::kGetWindow, window);
    const Window* w = Find(window);
    if (!w) {
        return kNoWindow;
    }
    if (command == kGwChild) {
        return w->children.empty() ? kNoWindow : w->children.front();
    }
    if (command == kGwHwndNext) {
        const Window* p = Find(w->parent);
        if (!p) {
            return kNoWindow;
        }
        auto it = std::find(p->children.begin(), p->children.end(), window);
        if (it == p->children.end() || ++it == p->children.end()) {
            return kNoWindow;
        }
        return *it;
    }
    return kNoWindow;
}

void SimulatedDesktop::EnumChildWindows(WindowHandle parent, const ChildCallback& callback) {
    Enter(Query::kEnumChildWindows, parent);
    if (!Find(parent)) {
        return;
    }
    // The list is fixed when the call starts: windows created meanwhile are not visited,
    // windows destroyed before their turn are skipped (EnumChildWindows' documentation;
    // Wine checks IsWindow before each callback).
    std::vector<WindowHandle> order;
    std::function<void(WindowHandle)> collect = [&](WindowHandle h) {
        for (WindowHandle child : Find(h)->children) {
            order.push_back(child);
            collect(child);
        }
    };
    collect(parent);
    for (WindowHandle h : order) {
        if (Find(h) && !callback(h)) {
            return;
        }
    }
}

WindowHandle SimulatedDesktop::GetContainer(WindowHandle window) {
    Enter(Query::kGetContainer, window);
    const Window* w = Find(window);
    if (!w || window == desktop_ || w->parent == desktop_) {
        return kNoWindow;
    }
    return w->parent;
}

WindowHandle SimulatedDesktop::GetParent(WindowHandle window) {
    Enter(Query::kGetParent, window);
    const Window* w = Find(window);
    if (!w || window == desktop_) {
        return kNoWindow;
    }
    if (w->style & kWsChild) {
        return w->parent;
    }
    if ((w->style & kWsPopup) && Find(w->owner)) {
        return w->owner;
    }
    return kNoWindow;
}

std::uint32_t SimulatedDesktop::GetWindowStyle(WindowHandle window) {
    Enter(Query::kGetWindowStyle, window);
    const Window* w = Find(window);
    return w ? w->style : 0;
}

std::string SimulatedDesktop::GetWindowText(WindowHandle window, int bufferSize) {
    Enter(Query::kGetWindowText, window);
    const Window* w = Find(window);
    return w ? Truncated(w->title, bufferSize) : std::string();
}

int SimulatedDesktop::GetWindowTextLength(WindowHandle window) {
    Enter(Query::kGetWindowTextLength, window);
    const Window* w = Find(window);
    return w ? static_cast<int>(Utf16Length(w->title)) : 0;
}

std::string SimulatedDesktop::GetClassName(WindowHandle window, int bufferSize) {
    Enter(Query::kGetClassName, window);
    const Window* w = Find(window);
    return w ? Truncated(w->className, bufferSize) : std::string();
}

bool SimulatedDesktop::IsWindowVisible(WindowHandle window) {
    Enter(Query::kIsWindowVisible, window);
    return Visible(window);
}

bool SimulatedDesktop::Visible(WindowHandle window) const {
    for (const Window* w = Find(window); w; w = Find(w->parent)) {
        if (!(w->style & kWsVisible)) {
            return false;
        }
        if (w->handle == desktop_) {
            return true;
        }
    }
    return false;
}

bool SimulatedDesktop::IsIconic(WindowHandle window) {
    Enter(Query::kIsIconic, window);
    const Window* w = Find(window);
    return w && (w->style & kWsMinimize);
}

bool SimulatedDesktop::IsZoomed(WindowHandle window) {
    Enter(Query::kIsZoomed, window);
    const Window* w = Find(window);
    return w && (w->style & kWsMaximize);
}

std::uint32_t SimulatedDesktop::GetWindowProcessId(WindowHandle window) {
    Enter(Query::kGetWindowProcessId, window);
    const Window* w = Find(window);
    return w ? w->processId : 0;
}

Rect SimulatedDesktop::GetWindowRect(WindowHandle window) {
    Enter(Query::kGetWindowRect, window);
    return ScreenRect(window);
}

Rect SimulatedDesktop::GetClientRect(WindowHandle window) {
    Enter(Query::kGetClientRect, window);
    return ClientRectOf(window);
}

Rect SimulatedDesktop::GetRestoredRect(WindowHandle window) {
    Enter(Query::kGetRestoredRect, window);
    const Window* w = Find(window);
    // Top-level windows only: their rectangles are kept in screen coordinates.
    if (!w || !IsTopLevel(*w)) {
        return ScreenRect(window);
    }
    return (w->style & (kWsMinimize | kWsMaximize)) != 0 ? w->normalRect : w->rect;
}

WindowHandle SimulatedDesktop::GetLastActivePopup(WindowHandle window) {
    Enter(Query::kGetLastActivePopup, window);
    const Window* w = Find(window);
    if (!w) {
        return kNoWindow;
    }
    // As the wineserver answers: the last active window if it still exists, else itself.
    return Find(w->lastActive) ? w->lastActive : window;
}

bool SimulatedDesktop::SystemCascades() {
    Enter(Query::kSystemCascades, kNoWindow);
    return systemCascades_;
}

bool SimulatedDesktop::IsHungAppWindow(WindowHandle window) {
    Enter(Query::kIsHungAppWindow, window);
    const Window* w = Find(window);
    return w && Hung(*w);
}

std::vector<Rect> SimulatedDesktop::GetMonitorRects() {
    Enter(Query::kGetMonitorRects, kNoWindow);
    return monitors_;
}

}  // namespace perch::test
