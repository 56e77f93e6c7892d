#include "ui/StartDialogs.h"

#include "framework/CWinApp.h"
#include "framework/MessageBox.h"
#include "ui/CmdDlg.h"
#include "ui/CommandLineItems.h"
#include "ui/MainDlg.h"

#include <utility>

void RunMainDialog(CWinApp& app)
{
    CMainDlg dlg;
    app.m_pMainWnd = &dlg;
    dlg.DoModal();
    app.m_pMainWnd = nullptr;
}

void RunCommandDialog(CWinApp& app) { RunCommandDialog(app, GetCommandLineW()); }

void RunCommandDialog(CWinApp&, const wchar_t* commandLine)
{
    std::vector<CString> items;
    CString bad;
    const CommandLineProblem problem = SplitCommandLine(commandLine, items, bad);
    if (problem != CommandLineProblem::None) {
        ReportCommandLineProblem(nullptr, problem, bad);
        return;
    }
    // Not the application's main window: nothing else is ever shown beside it.
    CCmdDlg dlg(std::move(items));
    if (const char* text = CommandDialogStatusMessage(dlg.m_nStatus)) {
        FwMessageBox(nullptr, text, nullptr, MB_ICONERROR | MB_OK);
        return;
    }
    dlg.DoModal();
}

const char* CommandDialogStatusMessage(int status)
{
    switch (status) {
    case -1:
        return "不明なエラーが発生しました";
    case 1:
        return "デスクトップのパスの取得に失敗しました";
    case 2:
        return "対象ファイルの情報の取得に失敗しました";
    default:
        return nullptr;
    }
}
