#pragma once
// The checks the two batch drivers run before anything is packed: the drop
// box of the main window and the command-line dialog. Each check that fails
// shows its message (owned by owner) and returns true: the batch stops
// there, with nothing changed.

#include <windows.h>

#include "framework/CString.h"

// Drop box: with singles off, an empty output name is refused.
bool CheckDropOutputName(HWND owner, bool singles, const char* name);

// Drop box, after the name: the batch's output folder for mode (OutputMode).
// OutputToFolder: fieldText must not be empty; a missing folder is created
// (one level); the result must be a folder; folder is then fieldText as
// typed. OutputToDesktop (and any unknown mode, as the main window reads
// it): the desktop folder. OutputBesideSource: folder is left empty, the
// driver takes PathToDirectoryDir of the first item.
bool CheckDropOutputFolder(HWND owner, int mode, const char* fieldText, CString& folder);

// Command-line dialog: with singles off, an empty output name is refused.
bool CheckCommandOutputName(HWND owner, bool singles, const char* name);

// Command-line dialog, when it opens: the folder proposed in its output
// field. desktopMissing (may be null) is set when mode is OutputToDesktop
// and the desktop folder cannot be found; the proposal is then empty.
CString ProposeCommandOutputFolder(int mode, const char* outDir, const char* firstItem, bool* desktopMissing);

// Command-line dialog, when the batch starts, after the name: folder is
// fieldText without one final backslash; it must not be empty, and when it
// is not an existing folder it is created (one level).
bool PrepareCommandOutputFolder(HWND owner, const char* fieldText, CString& folder);
