#pragma once

#include <windows.h>

#include <memory>

#include "app/win32/dialogs.h"
#include "app/win32/main_frame.h"
#include "framework/win32/application.h"
#include "platform/code_page.h"
#include "platform/win32/win32_window_system.h"
#include "settings/win32/registry_profile.h"

namespace perch {

// The application: hands over to a running instance, or creates the main frame (and with
// it the board) and runs until the frame is closed.
class CPerchApp final : public framework::Application {
  public:
    CPerchApp();

  protected:
    bool InitInstance() override;
    // Takes the splash down on the first idle pass more than 1.5 s after start-up.
    bool OnIdle(long count) override;
    // While the splash is up, the loop sleeps until it is due instead of polling.
    DWORD IdleWaitLimit() override;

  private:
    bool SplashUp() const { return m_splash.Handle() != nullptr; }

    Win32WindowSystem m_windows;
    CodePage m_codePage;
    RegistryProfile m_profile;
    std::unique_ptr<CMainFrame> m_frame;
    CSplash m_splash;
    DWORD m_splashShownAt = 0;  // tick count at the end of start-up
};

// The first window below the desktop whose text is "Perch" or "Roost" (letter case of A to
// Z ignored), or none.
HWND FindRunningInstance();

// Brings a running instance forward: its last active pop-up on top of it.
void HandOverTo(HWND running);

}  // namespace perch
