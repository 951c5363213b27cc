// perch.exe entry point: the application object runs the program.
#include <windows.h>

#include <objbase.h>

#include "app/win32/perch_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // Screen readers in other processes reach the board's accessible object through COM:
    // the window thread is a single-threaded apartment, served by its message loop.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int exitCode = 0;
    {
        perch::CPerchApp app;
        exitCode = app.Run(instance, showCommand);
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return exitCode;
}
