// The baseline of perch.exe's idle cost: the bare walk over the document windows of an MDI
// application that a refresh tick makes, every period, for a while; prints the CPU time
// the walks took. "visibility" walks as ticks once did (bare_walk.h).
//   walk_baseline <frame title> <seconds> <period ms> [visibility]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bare_walk.h"

int main(int argc, char** argv) {
    if (argc != 4 && !(argc == 5 && std::strcmp(argv[4], "visibility") == 0)) {
        std::fprintf(stderr,
                     "usage: walk_baseline <frame title> <seconds> <period ms> [visibility]\n");
        return 2;
    }
    const bool perDocument = argc == 5;
    HWND frame = FindWindowA(nullptr, argv[1]);
    HWND client = frame != nullptr ? FindWindowExA(frame, nullptr, "MDIClient", nullptr) : nullptr;
    if (client == nullptr) {
        std::fprintf(stderr, "no MDI application titled \"%s\"\n", argv[1]);
        return 1;
    }
    const DWORD total = static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)) * 1000;
    const DWORD period = static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10));
    const auto cpuMs = [] {
        FILETIME created, exited, kernel, user;
        GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
        const auto value = [](const FILETIME& t) {
            return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
        };
        return (value(kernel) + value(user)) / 10000;
    };
    const ULONGLONG cpuBefore = cpuMs();
    const DWORD start = GetTickCount();
    unsigned long seen = 0;
    while (GetTickCount() - start < total) {
        const auto ignore = [](const wchar_t*, int) {};
        seen += static_cast<unsigned long>(perDocument ? VisibilityWalk(client, ignore)
                                                       : BareWalk(client, ignore));
        Sleep(period);
    }
    // The CPU time of the walks alone, without this program's start-up.
    std::printf("cpu_ms %llu titles %lu\n", cpuMs() - cpuBefore, seen);
    return 0;
}
