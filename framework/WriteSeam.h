#pragma once
// Every write of the file classes (CFile, CStdioFile) goes through here, in
// the program and in the library alike. A test program can make writes fail,
// as a full disk would, by exporting
//   extern "C" DWORD FwWriteFileHook(HANDLE file, DWORD size);
// which returns how many of the size bytes may reach the file: when it
// returns less, that many are written and the write then fails with
// ERROR_DISK_FULL. Without the export, writes go straight to WriteFile.

#include <windows.h>

extern "C" typedef DWORD (*FwWriteFileHookFn)(HANDLE file, DWORD size);

// WriteFile, with the test hook applied when the process has one.
BOOL FwWriteFile(HANDLE file, const void* data, DWORD size, DWORD* written);
