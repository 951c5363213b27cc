// The actions of the simulated desktop: what ShowWindow, SetWindowPos, WM_SYSCOMMAND,
// WM_CLOSE, SetForegroundWindow and WM_MDICASCADE do to the model, what a hung
// application does to them, the posted-message queue and the action log.

#include <algorithm>
#include <utility>

#include "support/simulated_desktop.h"

namespace perch::test {
namespace {

constexpr int kMinimizedWidth = 160;
constexpr int kMinimizedHeight = 24;

bool IsSpecialInsertAfter(WindowHandle h) {
    return h == kHwndTop || h == kHwndBottom || h == kHwndTopmost || h == kHwndNoTopmost;
}

}  // namespace

// --- Geometry of the show states ---

// The default maximized position has only the border outside the area (DefWindowProc's
// WM_GETMINMAXINFO): for a top-level window the screen, for a child its parent's client
// area. DefMDIChildProc puts an MDI document's whole frame, caption included, outside
// the client area.
Rect SimulatedDesktop::MaximizedRect(const Window& w) const {
    const Insets& in = w.insets;
    if (IsTopLevel(w)) {
        const Rect screen = windows_.at(desktop_).rect;
        return {screen.left - in.left, screen.top - in.bottom, screen.right + in.right,
                screen.bottom + in.bottom};
    }
    const Rect area = ClientRectOf(w.parent);
    const int top = w.mdiDocument ? in.top : in.bottom;
    return {-in.left, -top, area.right + in.right, area.bottom + in.bottom};
}

// A small caption bar at the bottom left of the parent's client area, as Wine lays out
// minimized windows (Windows moves top-level ones off screen; either way the window no
// longer covers its normal place).
Rect SimulatedDesktop::MinimizedRect(const Window& w) const {
    const Rect area = IsTopLevel(w) ? windows_.at(desktop_).rect : ClientRectOf(w.parent);
    return {area.left, area.bottom - kMinimizedHeight, area.left + kMinimizedWidth, area.bottom};
}

// ShowWindow after Wine's show_window and WINPOS_MinMaximize. A state change (minimize
// with activation, maximize, restore) raises the window to the top of its band; showing
// a hidden top-level window raises it too, a child window keeps its place.
void SimulatedDesktop::ApplyShow(Window& w, ShowCommand command) {
    // Whatever way out the change takes, its events follow it.
    struct StyleEvents {
        SimulatedDesktop& desktop;
        const Window& window;
        const std::uint32_t oldStyle;
        ~StyleEvents() { desktop.NotifyStyleChange(window.handle, oldStyle); }
    } styleEvents{*this, w, w.style};
    const bool wasVisible = (w.style & kWsVisible) != 0;
    const bool minimized = (w.style & kWsMinimize) != 0;
    const bool maximized = (w.style & kWsMaximize) != 0;
    bool raise = false;
    switch (command) {
        case kSwHide:
            w.style &= ~kWsVisible;
            return;
        case kSwMinimize:
        case kSwShowMinNoActive:
        case kSwShowMinimized:
            if (minimized && wasVisible) {
                return;
            }
            if (!minimized) {
                w.restoreToMaximized = maximized;
                w.style = (w.style | kWsMinimize) & ~kWsMaximize;
                w.rect = MinimizedRect(w);
            }
            raise = command == kSwShowMinimized;
            break;
        case kSwShowMaximized:
            if (maximized && wasVisible) {
                return;
            }
            if (minimized) {
                w.restoreToMaximized = true;
            }
            w.style = (w.style | kWsMaximize) & ~kWsMinimize;
            w.rect = MaximizedRect(w);
            raise = true;
            break;
        case kSwShowNa:
            raise = IsTopLevel(w);
            break;
        case kSwShow:
            if (wasVisible) {
                return;
            }
            raise = IsTopLevel(w);
            break;
        case kSwShowNoActivate:
        case kSwRestore:
        case kSwShowNormal:
            if (command == kSwShowNoActivate) {
                w.restoreToMaximized = false;
            }
            if (minimized || maximized) {
                w.style &= ~(kWsMinimize | kWsMaximize);
                if (minimized && w.restoreToMaximized) {
                    w.style |= kWsMaximize;
                    w.rect = MaximizedRect(w);
                } else {
                    w.rect = w.normalRect;
                }
                raise = command != kSwShowNoActivate;
            } else {
                if (wasVisible) {
                    return;
                }
                raise = IsTopLevel(w) && command != kSwShowNoActivate;
            }
            break;
        default:
            return;
    }
    w.style |= kWsVisible;
    if (raise) {
        Reorder(w, kHwndTop);
    }
}

// SetWindowPos after Wine's set_window_pos and fixup_swp_flags.
void SimulatedDesktop::ApplySetWindowPos(Window& w, WindowHandle insertAfter, int x, int y, int cx,
                                         int cy, unsigned flags) {
    bool zorder = !(flags & kSwpNoZOrder);
    if (zorder && !IsSpecialInsertAfter(insertAfter)) {
        const Window* after = Find(insertAfter);
        if (!after || after->parent != w.parent) {
            return;  // not a sibling: the whole call does nothing
        }
        if (after == &w) {
            zorder = false;
        }
    }

    Rect r = w.rect;
    if (!(flags & kSwpNoMove)) {
        x = std::clamp(x, -32768, 32767);
        y = std::clamp(y, -32768, 32767);
        r = {x, y, x + r.Width(), y + r.Height()};
    }
    if (!(flags & kSwpNoSize)) {
        r.right = r.left + std::clamp(cx, 0, 32767);
        r.bottom = r.top + std::clamp(cy, 0, 32767);
    }
    w.rect = r;
    if (!(w.style & (kWsMinimize | kWsMaximize))) {
        w.normalRect = r;
    }

    const bool visible = (w.style & kWsVisible) != 0;
    if (visible && (flags & kSwpHideWindow)) {
        w.style &= ~kWsVisible;
    } else if (!visible && (flags & kSwpShowWindow)) {
        w.style |= kWsVisible;
    }

    // Activating a window that is not a pure child brings it to the top of its band.
    const bool pureChild = (w.style & (kWsChild | kWsPopup)) == kWsChild;
    if (!pureChild && !(flags & (kSwpNoActivate | kSwpHideWindow)) &&
        (!zorder || (insertAfter != kHwndTopmost && insertAfter != kHwndNoTopmost))) {
        zorder = true;
        insertAfter = kHwndTop;
    }
    if (zorder) {
        Reorder(w, insertAfter);
    }
}

// DefWindowProc's WM_SYSCOMMAND.
void SimulatedDesktop::ApplySysCommand(Window& w, SysCommand command) {
    if (w.style & kWsDisabled) {
        return;
    }
    switch (command) {
        case kScMinimize:
            ApplyShow(w, kSwMinimize);
            break;
        case kScMaximize:
            ApplyShow(w, kSwShowMaximized);
            break;
        case kScRestore:
            ApplyShow(w, kSwRestore);
            break;
    }
}

void SimulatedDesktop::ApplyForeground(WindowHandle window) {
    Window* w = Find(window);
    if (!w) {
        return;
    }
    if (window == desktop_) {
        foreground_ = window;
        return;
    }
    // Only top-level windows can be the foreground (Wine's is_valid_foreground_window).
    if ((w->style & (kWsChild | kWsPopup)) == kWsChild) {
        return;
    }
    if (foreground_ != window) {
        Notify(WindowEventKind::kForeground, window);
    }
    foreground_ = window;
    // The wineserver's make_window_active: the window and all its owners remember it.
    for (Window* o = w; o; o = Find(o->owner)) {
        o->lastActive = window;
    }
    Reorder(*w, kHwndTop);
}

// Wine's MDICascade.
void SimulatedDesktop::ApplyCascade(Window& client) {
    for (WindowHandle h : client.children) {
        Window& child = windows_.at(h);
        if (child.style & kWsMaximize) {
            ApplyShow(child, kSwShowNormal);
            break;
        }
    }
    std::vector<WindowHandle> cascaded;
    for (WindowHandle h : client.children) {
        const Window& child = windows_.at(h);
        if (Visible(h) && !(child.style & (kWsMinimize | kWsDisabled))) {
            cascaded.push_back(h);
        }
    }
    const Rect area = ClientRectOf(client.handle);
    const int stagger = area.Height() / (3 * kCascadeSpacing);
    const int width = area.Width() - stagger * kCascadeSpacing;
    const int height = area.Height() - stagger * kCascadeSpacing;
    int n = 0;
    for (auto it = cascaded.rbegin(); it != cascaded.rend(); ++it, ++n) {
        Window& child = windows_.at(*it);
        const int pos = kCascadeSpacing * (n % (stagger + 1));
        unsigned flags = kSwpNoZOrder | kSwpNoActivate;
        if (!(child.style & kWsThickFrame)) {
            flags |= kSwpNoSize;
        }
        ApplySetWindowPos(child, kHwndTop, pos, pos, width, height, flags);
    }
}

// --- Actions ---

SimulatedDesktop::Window* SimulatedDesktop::Answering(WindowHandle window) {
    Window* w = Find(window);
    if (!w || window == desktop_) {
        return nullptr;
    }
    if (Hung(*w)) {
        ++frozenCalls_;
        return nullptr;
    }
    return w;
}

void SimulatedDesktop::BringWindowToTop(WindowHandle window) {
    Log(Action::BringWindowToTop(window));
    if (Window* w = Answering(window)) {
        ApplySetWindowPos(*w, kHwndTop, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize);
    }
}

void SimulatedDesktop::SetForegroundWindow(WindowHandle window) {
    Log(Action::SetForegroundWindow(window));
    ApplyForeground(window);
}

void SimulatedDesktop::ShowWindow(WindowHandle window, ShowCommand command) {
    Log(Action::ShowWindow(window, command));
    if (Window* w = Answering(window)) {
        ApplyShow(*w, command);
    }
}

void SimulatedDesktop::SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y,
                                    int cx, int cy, unsigned flags) {
    Log(Action::SetWindowPos(window, insertAfter, x, y, cx, cy, flags));
    if (Window* w = Answering(window)) {
        ApplySetWindowPos(*w, insertAfter, x, y, cx, cy, flags);
    }
}

bool SimulatedDesktop::SendSysCommand(WindowHandle window, SysCommand command) {
    Log(Action::SendSysCommand(window, command));
    Window* w = Find(window);
    if (!w || Hung(*w)) {
        return false;  // gone, or given up at once (SMTO_ABORTIFHUNG)
    }
    if (window != desktop_) {
        ApplySysCommand(*w, command);
    }
    return true;  // answered, also when DefWindowProc ignored it (a disabled window)
}

void SimulatedDesktop::PostSysCommand(WindowHandle window, SysCommand command) {
    Log(Action::PostSysCommand(window, command));
    if (Find(window)) {
        posted_.push_back({window, false, command});
    }
}

void SimulatedDesktop::PostClose(WindowHandle window) {
    Log(Action::PostClose(window));
    if (Find(window)) {
        posted_.push_back({window, true, {}});
    }
}

void SimulatedDesktop::CascadeWindows(WindowHandle mdiClient) {
    Log(Action::CascadeWindows(mdiClient));
    if (Window* w = Find(mdiClient); w && mdiClient != desktop_ && !Hung(*w)) {
        ApplyCascade(*w);
    }
}

void SimulatedDesktop::InvalidateRect(WindowHandle window) {
    Log(Action::InvalidateRect(window));
}

std::size_t SimulatedDesktop::RunPostedMessages() {
    std::vector<Posted> queue;
    queue.swap(posted_);
    std::vector<Posted> waiting;
    std::size_t delivered = 0;
    for (const Posted& message : queue) {
        Window* w = Find(message.window);
        if (!w || message.window == desktop_) {
            continue;  // the window went away before its message came up
        }
        if (Hung(*w)) {
            // Its application takes nothing from its queue until it answers again.
            waiting.push_back(message);
            continue;
        }
        ++delivered;
        if (message.close) {
            DestroyTree(message.window);  // DefWindowProc's WM_CLOSE
        } else {
            ApplySysCommand(*w, message.command);
        }
    }
    posted_.insert(posted_.begin(), waiting.begin(), waiting.end());
    return delivered;
}

// --- The log's records ---

Action Action::BringWindowToTop(WindowHandle window) {
    return {.kind = ActionKind::kBringWindowToTop, .window = window};
}

Action Action::SetForegroundWindow(WindowHandle window) {
    return {.kind = ActionKind::kSetForegroundWindow, .window = window};
}

Action Action::ShowWindow(WindowHandle window, ShowCommand command) {
    return {.kind = ActionKind::kShowWindow,
            .window = window,
            .command = static_cast<unsigned>(command)};
}

Action Action::SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx,
                            int cy, unsigned flags) {
    return {.kind = ActionKind::kSetWindowPos,
            .window = window,
            .insertAfter = insertAfter,
            .x = x,
            .y = y,
            .cx = cx,
            .cy = cy,
            .flags = flags};
}

Action Action::SendSysCommand(WindowHandle window, SysCommand command) {
    return {.kind = ActionKind::kSendSysCommand, .window = window, .command = command};
}

Action Action::PostSysCommand(WindowHandle window, SysCommand command) {
    return {.kind = ActionKind::kPostSysCommand, .window = window, .command = command};
}

Action Action::PostClose(WindowHandle window) {
    return {.kind = ActionKind::kPostClose, .window = window};
}

Action Action::CascadeWindows(WindowHandle mdiClient) {
    return {.kind = ActionKind::kCascadeWindows, .window = mdiClient};
}

Action Action::InvalidateRect(WindowHandle window) {
    return {.kind = ActionKind::kInvalidateRect, .window = window};
}

std::ostream& operator<<(std::ostream& os, const Action& a) {
    const auto hex = [&os](std::uintptr_t value) -> std::ostream& {
        return os << "0x" << std::hex << value << std::dec;
    };
    switch (a.kind) {
        case ActionKind::kBringWindowToTop:
            os << "BringWindowToTop(";
            return hex(a.window) << ")";
        case ActionKind::kSetForegroundWindow:
            os << "SetForegroundWindow(";
            return hex(a.window) << ")";
        case ActionKind::kShowWindow:
            os << "ShowWindow(";
            return hex(a.window) << ", " << a.command << ")";
        case ActionKind::kSetWindowPos:
            os << "SetWindowPos(";
            hex(a.window) << ", ";
            hex(a.insertAfter) << ", " << a.x << ", " << a.y << ", " << a.cx << ", " << a.cy
                               << ", ";
            return hex(a.flags) << ")";
        case ActionKind::kSendSysCommand:
            os << "SendSysCommand(";
            hex(a.window) << ", ";
            return hex(a.command) << ")";
        case ActionKind::kPostSysCommand:
            os << "PostSysCommand(";
            hex(a.window) << ", ";
            return hex(a.command) << ")";
        case ActionKind::kPostClose:
            os << "PostClose(";
            return hex(a.window) << ")";
        case ActionKind::kCascadeWindows:
            os << "CascadeWindows(";
            return hex(a.window) << ")";
        case ActionKind::kInvalidateRect:
            os << "InvalidateRect(";
            return hex(a.window) << ")";
    }
    return os << "Action(?)";
}

}  // namespace perch::test
