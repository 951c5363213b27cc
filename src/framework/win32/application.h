#pragma once

#include <windows.h>

namespace framework {

class FrameWindow;

// The application object: start-up, the message loop with accelerators and idle
// processing, and exit.
//
// Idle processing: once the queue is empty after a message that counts (not a paint, not a
// mouse move that did not move), OnIdle is called with 0, 1, 2, ... for as long as it asks
// for more and no message arrives. While it asks for more only until some time has passed
// (IdleWaitLimit), the loop sleeps until the next message or that time instead of spinning.
class Application {
  public:
    // The program's name: the caption of its message boxes when the string table has no
    // application title.
    explicit Application(const char* name);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    virtual ~Application() = default;

    // InitInstance, then the message loop; the process's exit code.
    int Run(HINSTANCE instance, int showCommand);

    HINSTANCE Instance() const { return m_instance; }
    int ShowCommand() const { return m_showCommand; }
    FrameWindow* MainFrame() const { return m_mainFrame; }

  protected:
    // False ends the process at once.
    virtual bool InitInstance() = 0;
    // The default updates the main frame's toolbar and asks for no more.
    virtual bool OnIdle(long count);
    // How long the loop may sleep while OnIdle still asks for more: INFINITE lets it call
    // OnIdle again at once.
    virtual DWORD IdleWaitLimit() { return INFINITE; }

    void SetMainFrame(FrameWindow* frame) { m_mainFrame = frame; }
    void SetAccelerators(HACCEL accelerators) { m_accelerators = accelerators; }

  private:
    bool PreTranslate(MSG& msg);
    static bool IsIdleMessage(const MSG& msg);

    HINSTANCE m_instance = nullptr;
    int m_showCommand = SW_SHOWNORMAL;
    FrameWindow* m_mainFrame = nullptr;
    HACCEL m_accelerators = nullptr;
};

}  // namespace framework
