#pragma once
// The application object: names of the program, its command line, the
// settings file behind the profile functions, and the start hook.

#include "framework/CCmdTarget.h"
#include "framework/CString.h"

class CWnd;

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(const char* appName = nullptr);
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    ~CWinApp() override;

    // Start hook; TRUE would enter the message loop (this program never does).
    virtual BOOL InitInstance() { return TRUE; }
    virtual int Run();
    virtual int ExitInstance() { return 0; }
    // Opens the program's help file (m_pszHelpFilePath); tells the user when
    // the help engine fails.
    virtual void WinHelp(DWORD_PTR data, UINT command = HELP_CONTEXT);
    // The standard help command: the active window of this program (else the
    // main window) gets its WinHelp call.
    void OnHelp();
    // Icon id of the program's resources.
    HICON LoadIcon(UINT id) const;

    // Settings in section/key of m_pszProfileName; integers as decimal text.
    UINT GetProfileInt(const char* section, const char* entry, int defaultValue);
    CString GetProfileString(const char* section, const char* entry, const char* defaultValue = nullptr);
    BOOL WriteProfileInt(const char* section, const char* entry, int value);
    BOOL WriteProfileString(const char* section, const char* entry, const char* value);

    // Fills the names below from the module and the command line (the entry
    // point calls it before InitInstance).
    void SetUp(HINSTANCE instance, const char* cmdLine, int cmdShow);

    // Strings allocated with malloc: a caller replacing one frees the old.
    const char* m_pszAppName = nullptr;      // title of message boxes
    const char* m_pszExeName = nullptr;      // module base name
    const char* m_pszProfileName = nullptr;  // settings file
    const char* m_pszHelpFilePath = nullptr; // program path with ".HLP"
    const char* m_lpCmdLine = "";            // text after the program name
    HINSTANCE m_hInstance = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = nullptr;

private:
    CString m_cmdLine;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
// Module that holds the dialog templates, icons and strings: the program.
HINSTANCE AfxGetResourceHandle();

// The program's entry: set up the application object, run InitInstance, and
// the message loop only when it returned TRUE.
int AfxWinMain(HINSTANCE instance, const char* cmdLine, int cmdShow);
