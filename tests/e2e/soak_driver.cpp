// What a process holds, for the soak: looked at from outside through the window it shows.
//   soak_driver sample <title>   "<gdi objects> <user objects> <handles> <private KiB>" of the
//                                process of the visible top-level window with that title
//                                ("A|B": either); exit 1 when there is none
// Wine 8 answers 0 for another process's GDI and USER objects, its handle count and its
// private bytes; there the committed memory (the page-file usage) stands in for the private
// bytes, and the object counts stay 0.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

HWND FindByTitle(const std::string& titles) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = titles.find('|', start);
        const std::string title = titles.substr(start, bar == std::string::npos ? bar : bar - start);
        if (HWND h = FindWindowA(nullptr, title.c_str()); h != nullptr && IsWindowVisible(h)) {
            return h;
        }
        if (bar == std::string::npos) {
            return nullptr;
        }
        start = bar + 1;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || std::strcmp(argv[1], "sample") != 0) {
        std::fprintf(stderr, "usage: soak_driver sample <title>\n");
        return 2;
    }
    HWND window = FindByTitle(argv[2]);
    DWORD processId = 0;
    if (window == nullptr || GetWindowThreadProcessId(window, &processId) == 0) {
        return 1;
    }
    HANDLE process =
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (process == nullptr) {
        return 1;
    }
    DWORD handles = 0;
    GetProcessHandleCount(process, &handles);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    const SIZE_T privateBytes = memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
    std::printf("%lu %lu %lu %lu\n", GetGuiResources(process, GR_GDIOBJECTS),
                GetGuiResources(process, GR_USEROBJECTS), handles,
                static_cast<unsigned long>(privateBytes / 1024));
    CloseHandle(process);
    return 0;
}
