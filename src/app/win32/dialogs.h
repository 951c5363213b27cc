#pragma once

#include <windows.h>

#include "framework/win32/dialog.h"

namespace perch {

// The splash shown at start-up while the Splash option is on: modeless, owned by the frame,
// centred on the screen. The application takes it down.
class CSplash final : public framework::Dialog {
  public:
    CSplash();

  protected:
    BOOL OnInitDialog() override;
};

// The About box (Help, "About Perch...").
class CAboutBox final : public framework::Dialog {
  public:
    CAboutBox();

  protected:
    BOOL OnInitDialog() override;
};

}  // namespace perch
