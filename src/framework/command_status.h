#pragma once

namespace framework {

// How a command's menu item and toolbar button show, as the command's owner answers.
struct CommandStatus {
    bool known = false;  // the target answers for this command
    bool enabled = false;
    bool checked = false;
    bool operator==(const CommandStatus&) const = default;
};

}  // namespace framework
