#include "ui/StartDialogs.h"

#include "framework/CWinApp.h"
#include "ui/MainDlg.h"

void RunMainDialog(CWinApp& app)
{
    CMainDlg dlg;
    app.m_pMainWnd = &dlg;
    dlg.DoModal();
    app.m_pMainWnd = nullptr;
}

// The command-line dialog arrives later; until then starting with paths shows nothing.
void RunCommandDialog(CWinApp&) {}
