#pragma once

#include <windows.h>

namespace framework {

// One device capability of the screen (HORZRES, VERTRES, LOGPIXELSY, ...).
int ScreenCaps(int index);

}  // namespace framework
