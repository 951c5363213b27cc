// perch.exe entry point: the application object runs the program.
#include <windows.h>

#include "app/win32/perch_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    perch::CPerchApp app;
    return app.Run(instance, showCommand);
}
