// Sibling z-order of the simulated desktop, after the wineserver's link_window and
// user32's swp_owner_popups.

#include <algorithm>

#include "support/simulated_desktop.h"

namespace perch::test {

// Places the window among its siblings. Topmost windows come first in every sibling list;
// the insert-after value decides the place and the band:
// - HWND_TOP: the top of the window's own band;
// - HWND_BOTTOM: the very bottom, and the window stops being topmost;
// - HWND_TOPMOST: the very top, and the window becomes topmost;
// - HWND_NOTOPMOST: the top of the normal band, only when the window was topmost;
// - a sibling: right below it, taking the band of the windows around it.
void SimulatedDesktop::Link(Window& w, WindowHandle insertAfter) {
    std::vector<WindowHandle>& siblings = windows_.at(w.parent).children;
    const bool special = insertAfter == kHwndTop || insertAfter == kHwndBottom ||
                         insertAfter == kHwndTopmost || insertAfter == kHwndNoTopmost;
    if (!special && (insertAfter == w.handle ||
                     std::find(siblings.begin(), siblings.end(), insertAfter) == siblings.end())) {
        // Callers make sure of a sibling; a stray value must not unlink the window.
        insertAfter = kHwndTop;
    }
    if (insertAfter == kHwndNoTopmost) {
        const bool linked = std::find(siblings.begin(), siblings.end(), w.handle) != siblings.end();
        if (!w.topmost && linked) {
            return;
        }
        w.topmost = false;
        insertAfter = kHwndTop;
    }
    std::erase(siblings, w.handle);

    if (insertAfter == kHwndBottom) {
        siblings.push_back(w.handle);
        w.topmost = false;
    } else if (insertAfter == kHwndTopmost) {
        siblings.insert(siblings.begin(), w.handle);
        w.topmost = true;
    } else if (insertAfter == kHwndTop) {
        auto pos = siblings.begin();
        if (!w.topmost) {
            // Above the first normal window, or right above a topmost owner (and then
            // topmost itself, so it stays above the owner).
            for (; pos != siblings.end(); ++pos) {
                const Window& next = windows_.at(*pos);
                if (!next.topmost) {
                    break;
                }
                if (next.handle == w.owner) {
                    w.topmost = true;
                    break;
                }
            }
        }
        siblings.insert(pos, w.handle);
    } else {
        auto previous = std::find(siblings.begin(), siblings.end(), insertAfter);
        const auto pos = siblings.insert(previous + 1, w.handle);
        const Window* before = &windows_.at(*(pos - 1));
        const Window* after = pos + 1 == siblings.end() ? nullptr : &windows_.at(*(pos + 1));
        if (!before->topmost) {
            w.topmost = false;
        } else if (after && after->topmost) {
            w.topmost = true;
        }
    }
}

// An owned window is always above its owner: a window that ended below its owner goes
// right above it, and the windows it owns that ended below it follow it up, keeping their
// order and taking its band.
void SimulatedDesktop::KeepOwnedAbove(Window& w) {
    std::vector<WindowHandle>& siblings = windows_.at(desktop_).children;
    if (Window* owner = Find(w.owner); owner && IsTopLevel(*owner)) {
        const auto self = std::find(siblings.begin(), siblings.end(), w.handle);
        const auto ownerPos = std::find(siblings.begin(), siblings.end(), owner->handle);
        if (self > ownerPos) {
            siblings.erase(self);
            siblings.insert(std::find(siblings.begin(), siblings.end(), owner->handle), w.handle);
            w.topmost = owner->topmost;
        }
    }

    std::vector<WindowHandle> below;
    const auto self = std::find(siblings.begin(), siblings.end(), w.handle);
    for (auto it = self + 1; it != siblings.end(); ++it) {
        if (windows_.at(*it).owner == w.handle) {
            below.push_back(*it);
        }
    }
    if (below.empty()) {
        return;
    }
    for (WindowHandle h : below) {
        std::erase(siblings, h);
    }
    const auto at = std::find(siblings.begin(), siblings.end(), w.handle);
    siblings.insert(at, below.begin(), below.end());
    for (WindowHandle h : below) {
        Window& owned = windows_.at(h);
        owned.topmost = w.topmost;
        KeepOwnedAbove(owned);
    }
}

void SimulatedDesktop::Reorder(Window& w, WindowHandle insertAfter) {
    Link(w, insertAfter);
    if (IsTopLevel(w)) {
        KeepOwnedAbove(w);
    }
}

}  // namespace perch::test
