#pragma once
// The two dialogs the program can start with; each runs modally and returns
// when it closes.

class CWinApp;

// Main window (empty command line); it becomes the application's main window.
void RunMainDialog(CWinApp& app);
// Command-line dialog over the paths of the process's command line.
void RunCommandDialog(CWinApp& app);
// The same over the paths of commandLine (program path first). A command
// line that gives nothing to pack, or a dialog whose start-up status is bad,
// gets its message instead of the dialog.
void RunCommandDialog(CWinApp& app, const wchar_t* commandLine);

// The message for a start-up status of the command-line dialog that stops
// it: -1, 1 and 2; nullptr for any other status.
const char* CommandDialogStatusMessage(int status);
