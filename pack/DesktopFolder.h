#pragma once
// The user's desktop folder, through a lookup that tests can replace.

#include "framework/CString.h"

// The file-system folder of the desktop (the shell's CSIDL_DESKTOPDIRECTORY),
// without a final backslash; "" when it cannot be determined.
CString GetDesktopFolder();

// Replaces the lookup GetDesktopFolder uses (nullptr: the shell's again) and
// returns the one it replaced. Tests use it to make the lookup fail.
using DesktopFolderLookup = CString (*)();
DesktopFolderLookup SetDesktopFolderLookup(DesktopFolderLookup lookup);
