#pragma once

#include <cstdint>
#include <vector>

#include "platform/window_system.h"

namespace perch {

// Raising, showing or moving another application's window waits until that application
// has done it, so one that no longer answers would freeze the board. A command asks this
// before it acts on a window and passes a hung one over like a window that has vanished.
// An application found hung is remembered for the rest of the command, so its other
// windows do not each cost another probe.
class AnsweringWindows {
  public:
    explicit AnsweringWindows(WindowSystem& windows) : windows_(windows) {}

    bool Answers(WindowHandle window);

  private:
    WindowSystem& windows_;
    std::vector<std::uint32_t> hungProcesses_;
};

}  // namespace perch
