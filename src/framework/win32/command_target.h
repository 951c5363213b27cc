#pragma once

#include <windows.h>

#include "framework/command_status.h"

namespace framework {

// Something that carries out commands and says how they show: one answer per command id
// for the menu item, the accelerator and the toolbar button alike.
class CommandTarget {
  public:
    virtual ~CommandTarget() = default;
    // Carries out the command; false when it is not this target's.
    virtual bool OnCommand(UINT id) = 0;
    virtual CommandStatus QueryCommand(UINT id) = 0;

  protected:
    CommandTarget() = default;
    CommandTarget(const CommandTarget&) = default;
    CommandTarget& operator=(const CommandTarget&) = default;
};

}  // namespace framework
