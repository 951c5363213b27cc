// Resource identifiers of perch.exe, shared by perch.rc and the shell's sources.
#pragma once

#define IDR_MAINFRAME 128

#define PERCH_VERSION_NUMBERS 1, 0, 0, 0
#define PERCH_VERSION_TEXT "1.0.0.0"
