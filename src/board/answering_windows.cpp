#include "board/answering_windows.h"

#include <algorithm>

namespace perch {

bool AnsweringWindows::Answers(WindowHandle window) {
    const std::uint32_t process = windows_.GetWindowProcessId(window);
    if (process != 0 &&
        std::find(hungProcesses_.begin(), hungProcesses_.end(), process) != hungProcesses_.end()) {
        return false;
    }
    if (!windows_.IsHungAppWindow(window)) {
        return true;
    }
    if (process != 0) {
        hungProcesses_.push_back(process);
    }
    return false;
}

}  // namespace perch
