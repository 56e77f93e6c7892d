#pragma once
// The one way a message box is shown, in the program and in the library.
// A test program answers them by exporting
//   extern "C" int FwMessageBoxHook(HWND owner, const char* text, const char* caption, UINT type);
// which then receives every box of the process instead of the user.

#include <windows.h>

extern "C" typedef int (*FwMessageBoxHookFn)(HWND owner, const char* text, const char* caption, UINT type);

// Shows a box; a null caption means the module's title (its base name).
int FwMessageBox(HWND owner, const char* text, const char* caption, UINT type);

// Box owned by the active window, with the module's title as caption.
int AfxMessageBox(const char* text, UINT type = MB_OK);

// Base name of the module this code is linked into ("Tarnel", "Hobrin").
const char* ModuleTitle();
