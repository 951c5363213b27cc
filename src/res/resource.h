// Resource identifiers of perch.exe, shared by perch.rc, the shell and the portable core
// (plain #defines only, so the core and windres can both read it). The ids of what the
// framework implements (the frame's commands and child windows, its texts) are its own.
#pragma once

#include "framework/standard_ids.h"

// The frame's resources: compact menu, accelerators, icon and document string (2); the full
// menu (3). Toolbar bitmaps: four buttons (2, a system without a cascade) and five (3, with Cascade).
#define IDR_MAINFRAME 2
#define IDR_FULLMENU 3
// The board's pop-up menu, opened from the keyboard (4).
#define IDR_BOARD_MENU 4
#define IDB_TOOLBAR4 2
#define IDB_TOOLBAR5 3

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_SPLASH 113
#define IDC_ABOUT_NOTICE 1010
#define IDC_SPLASH_NAME_FRAME 1030
#define IDC_SPLASH_ICON_FRAME 1033

// The pages of the properties sheet: Excluded Apps, Settings, Colors.
#define IDD_EXCLUDE 102
#define IDD_CONFIGURE 104
#define IDD_COLORS 107
// Settings page.
#define IDC_SHOW_BOXES 1003
#define IDC_SHOW_PATHS 1007
#define IDC_PATHS_FIRST 1009
#define IDC_SMART_POS 1011
#define IDC_AUTO_SIZE 1012
#define IDC_SHOW_SPLASH 1013
#define IDC_SHOW_FOCUS 1014
#define IDC_NUM_COLUMNS 1015
#define IDC_UPDATE 1016
#define IDC_NUM_CHARS 1017
#define IDC_SORT 1020
#define IDC_CAPITALS 1021
#define IDC_VISIBILITY 1022
#define IDC_SHOW_MENU 1029
// Colors page.
#define IDC_TEXT_COLOR 1000
#define IDC_BKGND_COLOR 1001
#define IDC_HLT_COLOR 1002
#define IDC_FOCUS_COLOR 1005
// Excluded Apps page.
#define IDC_EXCLUDED_APPS 1006

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

// Texts of the string table. The prompt of a command has the command's id.
#define IDS_FONT_ERROR 1001
#define IDS_MAXIMIZED_REFUSAL 61216
#define IDS_CREATE_FAILED 61700
