#pragma once

#include <cstdint>

namespace perch {

// The window events the board listens for, named after the system's WinEvents
// (EVENT_SYSTEM_FOREGROUND, EVENT_OBJECT_CREATE, ...).
enum class WindowEventKind {
    kForeground,     // another window came to the foreground
    kFocus,          // a window took the keyboard focus (also how an MDI document is activated)
    kCreate,
    kDestroy,
    kShow,
    kHide,
    kReorder,        // the window's children changed their z-order
    kNameChange,     // the title changed
    kMinimizeStart,  // the window is being minimized
    kMinimizeEnd,    // ... and restored
};

// The object of a window an event is about (OBJID_*): the window itself or its client area;
// the others (caret, cursor, scroll bars, menus, ...) never change the board.
inline constexpr std::int32_t kObjectWindow = 0;
inline constexpr std::int32_t kObjectClient = -4;
// The child element (CHILDID_SELF for the object itself).
inline constexpr std::int32_t kChildSelf = 0;

// One event as the window system delivers it: which, about what, and the process of that
// window when the event was handed over (0 when the window was already gone).
struct WindowEvent {
    WindowEventKind kind{};
    std::uintptr_t window = 0;
    std::int32_t object = kObjectWindow;
    std::int32_t child = kChildSelf;
    std::uint32_t processId = 0;

    bool operator==(const WindowEvent&) const = default;
};

// Receives window events, on the user-interface thread between messages, some time after
// they happened (the window may have changed again or be gone by then).
class WindowEventSink {
  public:
    virtual ~WindowEventSink() = default;
    virtual void OnWindowEvent(const WindowEvent& event) = 0;

  protected:
    WindowEventSink() = default;
    WindowEventSink(const WindowEventSink&) = default;
    WindowEventSink& operator=(const WindowEventSink&) = default;
};

}  // namespace perch
