#include "app/MainApp.h"

#include "framework/MessageBox.h"
#include "pack/ZipItem.h"
#include "res/resource.h"
#include "ui/StartDialogs.h"

#include <commctrl.h>
#include <cstdlib>
#include <cstring>

CString SettingsPathFor(const char* programPath)
{
    const CString path(programPath);
    const int dot = path.ReverseFind('.');
    return (dot >= 0 ? path.Left(dot) : path) + ".ini";
}

BOOL CMainApp::InitInstance()
{
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);

    if (CheckArchiver()) {
        FwMessageBox(nullptr, "Zip32J.DLLロードエラー", m_pszAppName, MB_ICONERROR | MB_OK);
        return FALSE;
    }

    // Owned by this instance for its whole life; the system drops it at exit.
    CreateMutexA(nullptr, TRUE, m_pszExeName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CString title;
        title.LoadString(IDS_WINDOW_TITLE, m_hInstance);
        if (HWND running = FindWindowA(nullptr, title)) SetForegroundWindow(running);
        return FALSE;
    }

    char program[MAX_PATH] = {};
    GetModuleFileNameA(m_hInstance, program, MAX_PATH);
    free(const_cast<char*>(m_pszProfileName));
    m_pszProfileName = _strdup(SettingsPathFor(program));

    RunStartDialog(m_lpCmdLine && *m_lpCmdLine ? StartDialog::Command : StartDialog::Main);
    return FALSE;
}

const MsgMap* CMainApp::GetMessageMap() const
{
    static const MsgMapEntry entries[] = {
        {WM_COMMAND, ID_HELP, 0, fw::Handler<&CWinApp::OnHelp>},
        {},
    };
    static const MsgMap map{CWinApp::GetMessageMap(), entries};
    return &map;
}

void CMainApp::RunStartDialog(StartDialog which)
{
    if (which == StartDialog::Main)
        RunMainDialog(*this);
    else
        RunCommandDialog(*this);
}
