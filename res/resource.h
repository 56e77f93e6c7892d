#pragma once
// Resource numbers of the program.

#define IDS_ABOUTBOX        101
#define IDS_PASSLIST_FILE   102
#define IDS_WINDOW_TITLE    103
#define IDS_TRAY_TIP        104
#define IDS_BUSY_TITLE      105
