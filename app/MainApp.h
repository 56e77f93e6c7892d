#pragma once
// The application object: archiver check, one running instance, settings
// beside the program, then exactly one modal dialog.

#include "framework/CWinApp.h"

class CMainApp : public CWinApp {
public:
    enum class StartDialog { Main, Command };

    // Runs the whole program; always FALSE, so no message loop follows.
    BOOL InitInstance() override;

protected:
    // The help command goes to the framework's help (the active dialog's WinHelp).
    const MsgMap* GetMessageMap() const override;
    // Constructs the chosen dialog and runs it modally.
    virtual void RunStartDialog(StartDialog which);
};

// Settings file of a program: everything from the last '.' of its path
// replaced by ".ini" (".ini" appended when the path holds no '.').
CString SettingsPathFor(const char* programPath);
