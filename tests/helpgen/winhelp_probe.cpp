// A tiny Win32 program that asks WinHelp for a topic the way Perch does, for trying a generated
// .hlp under Wine by hand (tools/helpgen/README.md shows how to build and run it):
//
//   winhelp_probe <file.hlp> context <help id>   WinHelpA(HELP_CONTEXT, id)
//   winhelp_probe <file.hlp> contents            WinHelpA(HELP_CONTENTS)
//   winhelp_probe <file.hlp> finder              WinHelpA(HELP_FINDER)
//
// The id is decimal or 0x hexadecimal. The program owns a hidden window for the request and
// exits with 0 when WinHelpA reports success.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: winhelp_probe <file.hlp> context <id> | contents | finder\n");
        return 2;
    }
    UINT command;
    ULONG_PTR data = 0;
    if (std::strcmp(argv[2], "context") == 0 && argc == 4) {
        command = HELP_CONTEXT;
        data = std::strtoul(argv[3], nullptr, 0);
    } else if (std::strcmp(argv[2], "contents") == 0) {
        command = HELP_CONTENTS;
    } else if (std::strcmp(argv[2], "finder") == 0) {
        command = HELP_FINDER;
    } else {
        std::fprintf(stderr, "unknown request %s\n", argv[2]);
        return 2;
    }
    HWND owner = CreateWindowExA(0, "STATIC", "winhelp_probe", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    const BOOL ok = WinHelpA(owner, argv[1], command, data);
    std::printf("WinHelpA(%s, %lu) = %d\n", argv[2], static_cast<unsigned long>(data), ok);
    DestroyWindow(owner);
    return ok ? 0 : 1;
}
