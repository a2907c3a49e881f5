#pragma once

// Resource identifiers of the demo host.
#define IDR_MAINMENU        100
#define IDR_ACCELERATORS    101
#define IDD_SETTINGS        200

// Menu popups carry identifiers of their own, so that the menu pool captures
// them (an item with identifier 0 is skipped together with its submenu).
#define ID_MENU_FILE        1001
#define ID_MENU_RECENT      1002
#define ID_MENU_EDIT        1003
#define ID_MENU_VIEW        1004
#define ID_MENU_TOOLS       1005
#define ID_MENU_LANGUAGE    1006
#define ID_MENU_HELP        1007

#define ID_FILE_NEW         1101
#define ID_FILE_OPEN        1102
#define ID_FILE_SAVE        1103
#define ID_FILE_SAVE_AS     1104
#define ID_FILE_RECENT_NONE 1105
#define ID_FILE_EXIT        1106
#define ID_EDIT_UNDO        1201
#define ID_EDIT_CUT         1202
#define ID_EDIT_COPY        1203
#define ID_EDIT_PASTE       1204
#define ID_VIEW_TOOLBAR     1301
#define ID_VIEW_STATUSBAR   1302
#define ID_TOOLS_SETTINGS   1401
#define ID_TOOLS_DICTIONARY 1402
#define ID_HELP_ABOUT       1501
// The language menu's items are made at run time, one per enabled language.
#define ID_LANGUAGE_FIRST   1600
#define ID_LANGUAGE_LAST    1699

// Main window children
#define IDC_WELCOME         2001
#define IDC_HINT            2002
#define IDC_OPEN_SETTINGS   2003
#define IDC_TOOLBAR         2004
#define IDC_STATUSBAR       2005

// Settings dialog controls
#define IDC_TABS            3001
#define IDC_UNITS_LABEL     3002
#define IDC_UNITS           3003
#define IDC_DRIVES_LABEL    3004
#define IDC_DRIVES          3005
#define IDC_AUTOCONNECT     3006
#define IDC_APPLY           3007
