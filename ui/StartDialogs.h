#pragma once
// The two dialogs the program can start with; each runs modally and returns
// when it closes.

class CWinApp;

// Main window (empty command line); it becomes the application's main window.
void RunMainDialog(CWinApp& app);
// Command-line dialog (paths on the command line).
void RunCommandDialog(CWinApp& app);
