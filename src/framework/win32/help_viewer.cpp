#include "framework/win32/help_viewer.h"

#include <algorithm>
#include <deque>
#include <vector>

namespace framework {
namespace {

// HTML Help's commands (htmlhelp.h is not part of every toolchain).
constexpr UINT kHhDisplayTopic = 0x0000;
constexpr UINT kHhDisplayToc = 0x0001;
constexpr UINT kHhCloseAll = 0x0012;

// How long Close waits for the WinHelp thread, before and after ending a viewer that does
// not answer: the user's exit is held up no longer than this, twice.
constexpr DWORD kCloseWaitMs = 400;

// The processes of the WinHelp viewers running now (their main windows have the class
// WinHelp programs talk to).
std::vector<DWORD> ViewerProcesses() {
    std::vector<DWORD> processes;
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            char name[32] = {};
            GetClassNameA(window, name, sizeof name);
            if (lstrcmpiA(name, "MS_WINHELP") == 0) {
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                reinterpret_cast<std::vector<DWORD>*>(param)->push_back(process);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&processes));
    return processes;
}

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

// The WinHelp requests, one after the other, and the viewer they went to.
struct HelpViewer::WinHelpQueue {
    struct Request {
        UINT command;
        ULONG_PTR data;
    };

    WinHelpQueue(HWND ownerWindow, std::string helpFile)
        : owner(ownerWindow), file(std::move(helpFile)), viewersBefore(ViewerProcesses()) {
        InitializeCriticalSection(&lock);
        wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);  // auto-reset
    }
    ~WinHelpQueue() {
        if (wake != nullptr) {
            CloseHandle(wake);
        }
        DeleteCriticalSection(&lock);
    }
    WinHelpQueue(const WinHelpQueue&) = delete;
    WinHelpQueue& operator=(const WinHelpQueue&) = delete;

    void Push(Request request, bool stop) {
        EnterCriticalSection(&lock);
        requests.push_back(request);
        stopping = stopping || stop;
        LeaveCriticalSection(&lock);
        SetEvent(wake);
    }

    // The viewer this program's requests started: one running now that was not running
    // before the first request (the user may have closed an earlier one). Another
    // program's viewer never counts.
    void NoteOwnViewer() {
        const std::vector<DWORD> now = ViewerProcesses();
        EnterCriticalSection(&lock);
        for (const DWORD process : now) {
            if (process != 0 && std::find(viewersBefore.begin(), viewersBefore.end(), process) ==
                                    viewersBefore.end()) {
                ownViewer = process;
                break;
            }
        }
        LeaveCriticalSection(&lock);
    }

    // Our viewer, while it is still running as a viewer (a process id is reused once the
    // process is gone); 0 otherwise.
    DWORD OwnViewer() {
        EnterCriticalSection(&lock);
        const DWORD process = ownViewer;
        LeaveCriticalSection(&lock);
        const std::vector<DWORD> now = ViewerProcesses();
        return std::find(now.begin(), now.end(), process) != now.end() ? process : 0;
    }

    void Work() {
        for (;;) {
            WaitForSingleObject(wake, INFINITE);
            for (;;) {
                EnterCriticalSection(&lock);
                if (requests.empty()) {
                    const bool stop = stopping;
                    LeaveCriticalSection(&lock);
                    if (stop) {
                        return;
                    }
                    break;
                }
                const Request request = requests.front();
                requests.pop_front();
                LeaveCriticalSection(&lock);
                WinHelpA(owner, file.c_str(), request.command, request.data);
                if (request.command != HELP_QUIT) {
                    NoteOwnViewer();
                }
            }
        }
    }

    const HWND owner;
    const std::string file;
    const std::vector<DWORD> viewersBefore;
    CRITICAL_SECTION lock{};
    HANDLE wake = nullptr;
    std::deque<Request> requests;
    bool stopping = false;
    DWORD ownViewer = 0;
};

HelpViewer::~HelpViewer() {
    Close();
    if (m_thread != nullptr) {
        CloseHandle(m_thread);  // a thread still running keeps its queue alive itself
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
        m_queue = std::make_shared<WinHelpQueue>(m_owner, m_file);
        if (m_queue->wake == nullptr) {
            return;
        }
        auto* threadsReference = new std::shared_ptr<WinHelpQueue>(m_queue);
        m_thread = CreateThread(nullptr, 0, &HelpViewer::WorkerMain, threadsReference, 0, nullptr);
        if (m_thread == nullptr) {
            delete threadsReference;
            return;
        }
    }
    m_queue->Push({command, data}, false);
    m_used = true;
}

DWORD WINAPI HelpViewer::WorkerMain(LPVOID queue) {
    const std::unique_ptr<std::shared_ptr<WinHelpQueue>> reference(
        static_cast<std::shared_ptr<WinHelpQueue>*>(queue));
    (*reference)->Work();
    return 0;
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
    // The request it may sit on could have been the first: look for the viewer once more.
    m_queue->NoteOwnViewer();
    const DWORD ownViewer = m_queue->OwnViewer();
    // Only a viewer this program started is asked to quit; another program's stays open.
    if (ownViewer != 0) {
        m_queue->Push({HELP_QUIT, 0}, true);
    } else {
        EnterCriticalSection(&m_queue->lock);
        m_queue->stopping = true;
        LeaveCriticalSection(&m_queue->lock);
        SetEvent(m_queue->wake);
    }
    if (WaitForSingleObject(m_thread, kCloseWaitMs) == WAIT_OBJECT_0 || ownViewer == 0) {
        return;  // done, or waiting on a viewer that is not ours to end: left to itself
    }
    // Our viewer has not taken the requests (it is waiting on a message box of its own):
    // end it, which also frees the thread waiting on it.
    if (HANDLE viewer = OpenProcess(PROCESS_TERMINATE, FALSE, ownViewer)) {
        TerminateProcess(viewer, 0);
        CloseHandle(viewer);
    }
    WaitForSingleObject(m_thread, kCloseWaitMs);
}

}  // namespace framework
