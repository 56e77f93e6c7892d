#pragma once
// Folders for tests that browse in the shell's folder dialog. Under Wine the
// dialog finds a path in its tree by comparing item lists byte for byte, time
// stamps included, last access too. So the folders are made in the root of
// C: (the temporary folder changes under other test programs), and each
// folder of a chosen path is read once before the dialog opens, which fixes
// its access time from then on.

#include "framework/CString.h"
#include "tests/support/TestSupport.h"

#include <windows.h>

inline const char kBrowseRoot[] = "C:";

// Reads path and every folder above it once.
inline void SettleForBrowsing(const char* path)
{
    CString folder(path);
    for (;;) {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA(folder + "\\*", &fd);
        if (h != INVALID_HANDLE_VALUE) {
            while (FindNextFileA(h, &fd)) {}
            FindClose(h);
        }
        const int cut = folder.ReverseFind('\\');
        if (cut <= 2) break;
        folder = folder.Left(cut);
    }
}

// The output-folder case of both dialogs: a start folder "出力" with a
// subfolder "表ソ" to choose, ready for the dialog.
struct BrowseFolders {
    test::TempDir quiet{kBrowseRoot};
    CString start = quiet / "出力";
    CString chosen = start + "\\表ソ";
    BrowseFolders()
    {
        test::MakeDir(start);
        test::MakeDir(chosen);
        SettleForBrowsing(chosen);
    }
};
