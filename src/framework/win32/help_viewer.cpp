#include "framework/win32/help_viewer.h"

namespace framework {
namespace {

// HTML Help's commands (htmlhelp.h is not part of every toolchain).
constexpr UINT kHhDisplayTopic = 0x0000;
constexpr UINT kHhDisplayToc = 0x0001;
constexpr UINT kHhCloseAll = 0x0012;

// How long Close waits for a pending WinHelp request before it ends the viewer.
constexpr DWORD kCloseWaitMs = 3000;

bool UnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

unsigned WindowsMajorVersion() {
    // GetVersionEx lies to programs without a manifest; the kernel's own answer does not.
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    const auto rtlGetVersion =
        ntdll != nullptr ? reinterpret_cast<RtlGetVersionFunction>(
                               reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                         : nullptr;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (rtlGetVersion != nullptr && rtlGetVersion(&info) == 0) {
        return info.dwMajorVersion;
    }
    return 0;
}

// The executable's path with its extension replaced.
std::string BesideExecutable(const char* extension) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string file(path, length < MAX_PATH ? length : 0);
    const std::string::size_type dot = file.find_last_of('.');
    const std::string::size_type slash = file.find_last_of("\\/");
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        file.erase(dot);
    }
    return file + extension;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

HelpViewer::~HelpViewer() {
    Close();
    if (m_thread != nullptr) {
        CloseHandle(m_thread);
    }
    if (m_wake != nullptr) {
        CloseHandle(m_wake);
    }
    if (m_lockReady) {
        DeleteCriticalSection(&m_lock);
    }
    if (m_htmlHelpLibrary != nullptr) {
        FreeLibrary(m_htmlHelpLibrary);
    }
}

void HelpViewer::Initialize(HWND owner) {
    m_owner = owner;
    const std::string compiledHtml = BesideExecutable(".chm");
    const bool wine = UnderWine();
    const bool compiledHtmlPresent = FileExists(compiledHtml);
    bool htmlHelpLoads = false;
    if (!wine && compiledHtmlPresent) {
        m_htmlHelpLibrary = LoadLibraryA("hhctrl.ocx");
        if (m_htmlHelpLibrary != nullptr) {
            m_htmlHelp = reinterpret_cast<HtmlHelpFunction>(
                reinterpret_cast<void*>(GetProcAddress(m_htmlHelpLibrary, "HtmlHelpA")));
            htmlHelpLoads = m_htmlHelp != nullptr;
        }
    }
    m_kind = ChooseHelpViewer(wine, WindowsMajorVersion(), htmlHelpLoads, compiledHtmlPresent);
    m_file = m_kind == HelpViewerKind::kHtmlHelp ? compiledHtml : BesideExecutable(".HLP");
}

void HelpViewer::ShowTopic(DWORD helpId) {
    if (m_kind == HelpViewerKind::kHtmlHelp) {
        // The compiled file has a page per help id that leads to its topic; it is opened by
        // name, since the id map our HTML Help compiler writes does not resolve.
        char page[32];
        wsprintfA(page, "::/hid_%08lx.html", static_cast<unsigned long>(helpId));
        const std::string topic = m_file + page;
        m_used = true;
        m_htmlHelp(m_owner, topic.c_str(), kHhDisplayTopic, 0);
        return;
    }
    Post(HELP_CONTEXT, helpId);
}

void HelpViewer::ShowContents() {
    if (m_kind == HelpViewerKind::kHtmlHelp) {
        m_used = true;
        m_htmlHelp(m_owner, m_file.c_str(), kHhDisplayToc, 0);
        return;
    }
    Post(HELP_FINDER, 0);
}

void HelpViewer::ShowHelpOnHelp() {
    if (m_kind == HelpViewerKind::kHtmlHelp) {
        // HTML Help explains itself in its own window; the contents are the nearest thing.
        ShowContents();
        return;
    }
    Post(HELP_HELPONHELP, 0);
}

void HelpViewer::Post(UINT command, ULONG_PTR data) {
    if (m_thread == nullptr) {
        InitializeCriticalSection(&m_lock);
        m_lockReady = true;
        m_wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        m_thread = m_wake != nullptr
                       ? CreateThread(nullptr, 0, &HelpViewer::WorkerMain, this, 0, nullptr)
                       : nullptr;
        if (m_thread == nullptr) {
            return;
        }
    }
    EnterCriticalSection(&m_lock);
    m_queue.push_back({command, data});
    LeaveCriticalSection(&m_lock);
    m_used = true;
    SetEvent(m_wake);
}

DWORD WINAPI HelpViewer::WorkerMain(LPVOID self) {
    static_cast<HelpViewer*>(self)->Work();
    return 0;
}

void HelpViewer::Work() {
    for (;;) {
        WaitForSingleObject(m_wake, INFINITE);
        for (;;) {
            EnterCriticalSection(&m_lock);
            if (m_queue.empty()) {
                const bool stop = m_stopping;
                LeaveCriticalSection(&m_lock);
                if (stop) {
                    return;
                }
                break;
            }
            const Request request = m_queue.front();
            m_queue.pop_front();
            LeaveCriticalSection(&m_lock);
            WinHelpA(m_owner, m_file.c_str(), request.command, request.data);
            if (request.command != HELP_QUIT) {
                NoteViewerProcess();
            }
        }
    }
}

void HelpViewer::NoteViewerProcess() {
    // The viewer's main window has the class WinHelp programs talk to.
    HWND viewer = FindWindowA("MS_WINHELP", nullptr);
    DWORD process = 0;
    if (viewer != nullptr) {
        GetWindowThreadProcessId(viewer, &process);
    }
    EnterCriticalSection(&m_lock);
    if (process != 0) {
        m_viewerProcess = process;
    }
    LeaveCriticalSection(&m_lock);
}

void HelpViewer::Close() {
    if (!m_used) {
        return;
    }
    m_used = false;
    if (m_kind == HelpViewerKind::kHtmlHelp) {
        m_htmlHelp(nullptr, nullptr, kHhCloseAll, 0);
        return;
    }
    if (m_thread == nullptr) {
        return;
    }
    EnterCriticalSection(&m_lock);
    m_queue.push_back({HELP_QUIT, 0});
    m_stopping = true;
    LeaveCriticalSection(&m_lock);
    SetEvent(m_wake);
    if (WaitForSingleObject(m_thread, kCloseWaitMs) == WAIT_OBJECT_0) {
        return;
    }
    // The viewer has not taken the requests (it is waiting on a message box of its own):
    // end it, which also frees the thread waiting on it.
    NoteViewerProcess();  // the request it sits on may have been its first
    EnterCriticalSection(&m_lock);
    const DWORD process = m_viewerProcess;
    LeaveCriticalSection(&m_lock);
    if (process != 0) {
        if (HANDLE viewer = OpenProcess(PROCESS_TERMINATE, FALSE, process)) {
            TerminateProcess(viewer, 0);
            CloseHandle(viewer);
        }
    }
    WaitForSingleObject(m_thread, kCloseWaitMs);
}

}  // namespace framework
