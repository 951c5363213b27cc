// The WM_COPYDATA tag of commands to the end-to-end tests' MDI application.
#pragma once

inline constexpr unsigned long kMdiAppCommand = 0x50524348;  // "PRCH"
