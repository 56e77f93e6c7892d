#pragma once
// Resource numbers of the program.

// Strings
#define IDS_ABOUTBOX        101
#define IDS_PASSLIST_FILE   102
#define IDS_WINDOW_TITLE    103
#define IDS_TRAY_TIP        104
#define IDS_BUSY_TITLE      105

// Dialogs, menu, icons
#define IDD_ABOUTBOX        100
#define IDD_MAIN            102
#define IDD_ADD_HISTORY     135
#define IDD_COMMAND         136
#define IDR_MAIN_MENU       131
#define IDI_MAIN            129
#define IDI_BUSY            130

// Commands: menu bar of the main window, its system-menu item, and the
// framework's help command.
#define IDM_ABOUT           132
#define IDM_CLEAR_HISTORY   134
#define IDM_ABOUTBOX        0x0010
#define ID_HELP             57670

// Main window
#define IDC_DROPBOX         1000
#define IDC_PASS            1001
#define IDC_FILENAME        1002
#define IDC_SINGLES         1004
#define IDC_OUTDIR          1006
#define IDC_BROWSE          1007
#define IDC_OUT_FOLDER      1008
#define IDC_OUT_BESIDE      1009
#define IDC_OUT_DESKTOP     1010
#define IDC_TRAY            1011
#define IDC_HISTORY         1013
#define IDC_HISTORY_DELETE  1014
#define IDC_HISTORY_ADD     1015
#define IDC_MSG             1032
#define IDC_AUTOFINISH      1034

// Add-password dialog
#define IDC_HISTORY_PASS    1016

// Command-line dialog
#define IDC_CMD_OUTDIR      1017
#define IDC_CMD_BROWSE      1021
#define IDC_CMD_TRAY        1025
#define IDC_CMD_SINGLES     1026
#define IDC_CMD_START       1027
#define IDC_CMD_FILENAME    1029
#define IDC_CMD_PASS        1031
#define IDC_CMD_MSG         1033

// About box links
#define IDC_LINK_HOME       1036
#define IDC_LINK_HELP_HOME  1037
#define IDC_LINK_MAIL       1038
#define IDC_LINK_HELP_MAIL  1039

#ifndef IDC_STATIC
#define IDC_STATIC          (-1)
#endif
