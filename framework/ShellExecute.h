#pragma once
// The one way a document or link is opened through the shell, in the program
// and in the library. A test program catches them by exporting
//   extern "C" HINSTANCE FwShellExecuteHook(HWND owner, const char* verb, const char* file,
//                                            const char* parameters, const char* directory, int show);
// which then receives every call of the process instead of the shell.

#include <windows.h>

extern "C" typedef HINSTANCE (*FwShellExecuteHookFn)(HWND owner, const char* verb, const char* file,
                                                     const char* parameters, const char* directory, int show);

// As ShellExecuteA: a value above 32 means success.
HINSTANCE FwShellExecute(HWND owner, const char* verb, const char* file, const char* parameters,
                         const char* directory, int show);
