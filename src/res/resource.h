// Resource identifiers of perch.exe, shared by perch.rc, the shell and the portable core
// (plain #defines only, so the core and windres can both read it).
#pragma once

#define IDR_MAINFRAME 128

// Perch's commands: menu items, accelerators, toolbar buttons and their prompts.
#define ID_SELECT_ALL 32771
#define ID_PROPERTIES 32772
#define ID_SET_FONT 32773
#define ID_WINDOWS_CASCADE 32774
#define ID_SAVE_ON_EXIT 32778
#define ID_WINDOWS_TILE_HORZ 32787
#define ID_WINDOWS_TILE_VERT 32788
#define ID_WINDOWS_CLOSE 32789
#define ID_WINDOWS_MINIMIZE 32790

// The frame's own commands, with the ids every framework of this kind gives them.
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define ID_HELP_INDEX 57666
#define ID_HELP_USING 57668
#define ID_CONTEXT_HELP 57669
#define ID_HELP 57670
#define ID_DEFAULT_HELP 57671
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393

// Messages shown in a message box captioned "Perch".
#define IDS_FONT_ERROR 1001
#define IDS_MAXIMIZED_REFUSAL 61216

#define PERCH_VERSION_NUMBERS 1, 0, 0, 0
#define PERCH_VERSION_TEXT "1.0.0.0"
