// The simulated desktop's window events.
#include "support/simulated_desktop.h"

namespace perch::test {

std::set<WindowEventKind> SimulatedDesktop::AllEventKinds() {
    return {WindowEventKind::kForeground,    WindowEventKind::kFocus,
            WindowEventKind::kCreate,        WindowEventKind::kDestroy,
            WindowEventKind::kShow,          WindowEventKind::kHide,
            WindowEventKind::kReorder,       WindowEventKind::kNameChange,
            WindowEventKind::kMinimizeStart, WindowEventKind::kMinimizeEnd};
}

// Measured with tests/e2e/event_probe.cpp: from another process Wine 8 reports a document's
// creation and every move of the keyboard focus, nothing else.
std::set<WindowEventKind> SimulatedDesktop::WineEventKinds() {
    return {WindowEventKind::kCreate, WindowEventKind::kFocus};
}

void SimulatedDesktop::SetEventSink(WindowEventSink* sink) {
    eventSink_ = sink;
    events_.clear();
}

void SimulatedDesktop::RaiseEvent(WindowEventKind kind, WindowHandle window, std::int32_t object,
                                  std::int32_t child) {
    if (eventSink_ == nullptr || reportedEvents_.count(kind) == 0) {
        return;
    }
    events_.push_back({kind, window, object, child, 0});
}

void SimulatedDesktop::NotifyStyleChange(WindowHandle window, std::uint32_t oldStyle) {
    const Window* w = Find(window);
    if (w == nullptr) {
        return;
    }
    const std::uint32_t changed = oldStyle ^ w->style;
    if (changed & kWsMinimize) {
        Notify((w->style & kWsMinimize) ? WindowEventKind::kMinimizeStart
                                         : WindowEventKind::kMinimizeEnd,
               window);
    }
    if (changed & kWsVisible) {
        Notify((w->style & kWsVisible) ? WindowEventKind::kShow : WindowEventKind::kHide, window);
    }
}

std::size_t SimulatedDesktop::DeliverEvents() {
    std::size_t delivered = 0;
    while (!events_.empty() && eventSink_ != nullptr) {
        WindowEvent event = events_.front();
        events_.erase(events_.begin());
        const Window* w = Find(event.window);
        event.processId = w != nullptr ? w->processId : 0;
        eventSink_->OnWindowEvent(event);
        ++delivered;
    }
    return delivered;
}

}  // namespace perch::test
