#include "framework/CDialog.h"

#include "framework/CWinApp.h"

namespace {
// One filter per thread, set by the outermost modal dialog, so a message
// reaches PreTranslateMessage once however deep dialogs are nested.
thread_local HHOOK t_filter = nullptr;
thread_local int t_modalDepth = 0;
} // namespace

INT_PTR CDialog::DoModal()
{
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!owner) {
        CWinApp* app = AfxGetApp();
        if (app && app->m_pMainWnd && app->m_pMainWnd != this) owner = app->m_pMainWnd->m_hWnd;
    }
    if (t_modalDepth++ == 0) t_filter = ::SetWindowsHookExA(WH_MSGFILTER, &CDialog::MsgFilterProc, nullptr, ::GetCurrentThreadId());
    const INT_PTR result = ::DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner,
                                             &CDialog::DlgProc, reinterpret_cast<LPARAM>(this));
    if (--t_modalDepth == 0 && t_filter) {
        ::UnhookWindowsHookEx(t_filter);
        t_filter = nullptr;
    }
    return result;
}

INT_PTR CALLBACK CDialog::DlgProc(HWND hwnd, UINT msg, WPARAM, LPARAM lParam)
{
    if (msg != WM_INITDIALOG) return FALSE;
    // From here on the dialog's messages come through WndProc and the maps;
    // this procedure answers FALSE to what the maps leave to the system.
    auto* dlg = reinterpret_cast<CDialog*>(lParam);
    if (!dlg->Attach(hwnd, true)) return TRUE;
    return dlg->OnInitDialog();
}

LRESULT CALLBACK CDialog::MsgFilterProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_DIALOGBOX) {
        MSG* msg = reinterpret_cast<MSG*>(lParam);
        if (CWnd* wnd = FromHandlePermanent(::GetAncestor(msg->hwnd, GA_ROOT)); wnd && wnd->PreTranslateMessage(msg))
            return 1;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnHelpInfo() { WinHelp(0, HELP_CONTEXT); }

const MsgMap* CDialog::GetMessageMap() const
{
    static const MsgMapEntry entries[] = {
        {WM_COMMAND, IDOK, BN_CLICKED, fw::Handler<&CDialog::OnOK>},
        {WM_COMMAND, IDCANCEL, BN_CLICKED, fw::Handler<&CDialog::OnCancel>},
        {WM_HELP, 0, 0, fw::Handler<&CDialog::OnHelpInfo>},
        {},
    };
    static const MsgMap map{CWnd::GetMessageMap(), entries};
    return &map;
}
