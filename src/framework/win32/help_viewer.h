#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/help_ids.h"

namespace framework {

// The program's help: a WinHelp file named like the executable with ".HLP", or, where
// WinHelp does not work (see ChooseHelpViewer), the compiled HTML file ".chm" beside it in
// HTML Help.
//
// WinHelp requests run on a thread of their own, one after the other: WinHelpA waits until
// the viewer has taken the request, and the viewer may sit in a message box meanwhile (help
// on help without its file), so the program's own windows keep painting and ticking.
class HelpViewer {
  public:
    HelpViewer() = default;
    HelpViewer(const HelpViewer&) = delete;
    HelpViewer& operator=(const HelpViewer&) = delete;
    ~HelpViewer();

    // Chooses the viewer and the file; `owner` is the window the help is for.
    void Initialize(HWND owner);

    void ShowTopic(DWORD helpId);
    void ShowContents();
    void ShowHelpOnHelp();
    // Closes the viewer this program opened (at exit), within a moment: a viewer this
    // program started that does not take the request in time is ended, so none is left
    // behind; a viewer some other program started is left alone.
    void Close();

    HelpViewerKind Kind() const { return m_kind; }
    const std::string& File() const { return m_file; }

  private:
    struct WinHelpQueue;
    void Post(UINT command, ULONG_PTR data);
    static DWORD WINAPI WorkerMain(LPVOID queue);

    HWND m_owner = nullptr;
    HelpViewerKind m_kind = HelpViewerKind::kWinHelp;
    std::string m_file;
    bool m_used = false;

    // HTML Help, loaded when it is the viewer.
    using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
    HMODULE m_htmlHelpLibrary = nullptr;
    HtmlHelpFunction m_htmlHelp = nullptr;

    // The WinHelp thread and what it shares with this object. The thread holds its own
    // reference, so it may go on (blocked in WinHelpA on a viewer that does not answer)
    // after this object is gone, without touching anything freed.
    std::shared_ptr<WinHelpQueue> m_queue;
    HANDLE m_thread = nullptr;
};

}  // namespace framework
