// The ids this framework gives the commands, windows and texts it implements itself. A
// program's resource header includes this file, so that its menus, accelerators and string
// table use the same numbers (plain #defines only, so windres can read it too).
#pragma once

// The frame's child windows: the view (the first pane), the toolbar and the status bar.
// The bars' window ids are also the commands that show and hide them.
#define AFX_IDW_PANE_FIRST 59648
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393

// The sides a toolbar docks on, as the bar state names them.
#define AFX_IDW_DOCKBAR_TOP 0xE81B
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81C
#define AFX_IDW_DOCKBAR_LEFT 0xE81D
#define AFX_IDW_DOCKBAR_RIGHT 0xE81E

// The frame's own commands: About is the program's to carry out, the rest the frame's.
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define ID_HELP_INDEX 57666
#define ID_HELP_USING 57668
#define ID_CONTEXT_HELP 57669
#define ID_HELP 57670
#define ID_DEFAULT_HELP 57671

// Texts the framework shows: the message boxes' caption, the status bar's idle message,
// and the prompt of a system command SC_x, which has the id 0xEF00 + (SC_x - 0xF000) / 16.
#define IDS_APP_TITLE 57344
#define IDS_IDLE_MESSAGE 57345
#define IDS_SC_PROMPT_BASE 0xEF00
