#include "pack/DesktopFolder.h"

#include <shlobj.h>

namespace {

CString ShellDesktopFolder()
{
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOPDIRECTORY, &items)) || !items) return CString();
    char path[MAX_PATH] = {};
    const BOOL ok = SHGetPathFromIDListA(items, path);
    CoTaskMemFree(items);  // the shell's task allocator
    return ok ? CString(path) : CString();
}

DesktopFolderLookup g_lookup = ShellDesktopFolder;

} // namespace

CString GetDesktopFolder() { return g_lookup(); }

DesktopFolderLookup SetDesktopFolderLookup(DesktopFolderLookup lookup)
{
    const DesktopFolderLookup previous = g_lookup;
    g_lookup = lookup ? lookup : ShellDesktopFolder;
    return previous;
}
