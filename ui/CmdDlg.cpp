#include "ui/CmdDlg.h"

#include "framework/CDataExchange.h"
#include "framework/CWinApp.h"
#include "framework/MessageBox.h"
#include "lib/BrowseFor.h"
#include "lib/PathFunc.h"
#include "pack/ArchiveName.h"
#include "pack/FileNameCheck.h"
#include "pack/OutputChecks.h"
#include "pack/OutputMode.h"
#include "pack/PackingState.h"
#include "pack/ZipItem.h"
#include "res/resource.h"
#include "ui/AboutDlg.h"
#include "ui/PasswordHistory.h"

#include <utility>

namespace {

const char kSection[] = "Main";

// A hand-edited flag reads as set when it is anything but 0.
BOOL Flag(CWinApp* app, const char* key) { return static_cast<int>(app->GetProfileInt(kSection, key, 0)) != 0; }

} // namespace

CCmdDlg::CCmdDlg(std::vector<CString> items, CWnd* parent)
    : CDialog(IDD_COMMAND, parent), m_nStatus(0), m_nOutputMode(kDefaultOutputMode), m_bMsg(FALSE), m_bTray(FALSE),
      m_bSingles(FALSE), m_items(std::move(items))
{
    m_hIcon = AfxGetApp()->LoadIcon(IDI_MAIN);
}

const MsgMap* CCmdDlg::GetMessageMap() const
{
    static const MsgMapEntry entries[] = {
        {WM_SYSCOMMAND, 0, 0, fw::Handler<&CCmdDlg::OnSysCommand>},
        {WM_COMMAND, IDC_CMD_START, BN_CLICKED, fw::Handler<&CCmdDlg::OnStart>},
        {WM_COMMAND, IDC_CMD_BROWSE, BN_CLICKED, fw::Handler<&CCmdDlg::OnBrowse>},
        {WM_COMMAND, IDC_CMD_SINGLES, BN_CLICKED, fw::Handler<&CCmdDlg::OnSingles>},
        {WM_COMMAND, IDC_CMD_FILENAME, EN_KILLFOCUS, fw::Handler<&CCmdDlg::OnKillFocusFileName>},
        {},
    };
    static const MsgMap map{CDialog::GetMessageMap(), entries};
    return &map;
}

void CCmdDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_CMD_TRAY, m_bTray);
    DDX_Check(pDX, IDC_CMD_SINGLES, m_bSingles);
    DDX_Text(pDX, IDC_CMD_FILENAME, m_strFileName);
    DDX_Check(pDX, IDC_CMD_MSG, m_bMsg);
    DDX_Control(pDX, IDC_CMD_OUTDIR, m_editOutDir);
    DDX_Control(pDX, IDC_CMD_PASS, m_comboPass);
}

BOOL CCmdDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    AppendAboutItem(*this);

    CWinApp* app = AfxGetApp();
    m_bSingles = Flag(app, "Singles");
    m_bTray = Flag(app, "Tray");
    m_nOutputMode = static_cast<int>(app->GetProfileInt(kSection, "OutputMode", kDefaultOutputMode));
    m_bMsg = Flag(app, "Msg");

    bool noDesktop = false;
    const CString outDir = m_nOutputMode == OutputToFolder ? app->GetProfileString(kSection, "OutDir", "") : CString();
    m_editOutDir.SetWindowText(
        ProposeCommandOutputFolder(m_nOutputMode, outDir, m_items.empty() ? "" : m_items[0].c_str(), &noDesktop));
    if (noDesktop) m_nStatus = kStatusNoDesktop;

    ::SetFocus(GetDlgItem(IDC_CMD_START));
    // Above the group box, so a folder dropped on the field reaches it.
    m_editOutDir.SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    // The combo's own text stays empty: no password until one is typed or picked.
    for (const CString& entry : LoadHistory(HistoryFilePath())) m_comboPass.AddString(entry);

    if (m_bSingles) ::EnableWindow(GetDlgItem(IDC_CMD_FILENAME), FALSE);
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    UpdateData(FALSE);
    return FALSE;
}

BOOL CCmdDlg::PreTranslateMessage(MSG* msg)
{
    if (msg->message != WM_KEYDOWN || msg->wParam != VK_RETURN) return FALSE;
    // Typed ahead while a batch packed, or under one of its messages (both
    // disable or hide the dialog): dropped, or the batch would run again.
    if (!IsWindowEnabled() || !::IsWindowVisible(m_hWnd)) return TRUE;
    // An open password list takes Return as the pick of an entry.
    if (m_comboPass.SendMessage(CB_GETDROPPEDSTATE)) return FALSE;
    // A focused Cancel or browse button is pressed, as everywhere else.
    for (const int id : {IDCANCEL, IDC_CMD_BROWSE}) {
        if (msg->hwnd == GetDlgItem(id)) {
            PostMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(msg->hwnd));
            return TRUE;
        }
    }
    // Consumed: passed on, the press would start the batch a second time on
    // the focused start button, or close the dialog (the OK command) after a
    // check had stopped it.
    OnStart();
    return TRUE;
}

void CCmdDlg::OnStart()
{
    UpdateData(TRUE);
    const CString password = m_comboPass.GetWindowText();

    // A name typed and started with Return never left its field: check it here.
    if (!m_bSingles) {
        m_bCheckingName = true;
        const bool rejected = ValidateFileName(GetDlgItem(IDC_CMD_FILENAME), m_strFileName);
        m_bCheckingName = false;
        if (rejected) return;
    }
    if (CheckCommandOutputName(m_hWnd, m_bSingles, m_strFileName)) return;
    CString folder;
    if (PrepareCommandOutputFolder(m_hWnd, m_editOutDir.GetWindowText(), folder)) return;

    // Every archive path is known before the first call, so a path that would
    // be too long stops the batch before anything is written.
    std::vector<CString> archives;
    for (const CString& item : m_items) {
        CString archive;
        if (ArchivePath(folder, BatchArchiveName(m_bSingles, item, m_strFileName), archive)) {
            ReportLongArchivePath(m_hWnd, archive);
            return;
        }
        archives.push_back(archive);
    }

    CPackingState busy(*this, *this, m_bTray);
    busy.Begin();
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (ZipItem(m_items[i], archives[i], password)) {
            busy.Restore();
            FwMessageBox(m_hWnd, "圧縮エラーが発生しました", m_items[i], MB_ICONERROR | MB_OK);
            return;
        }
    }
    busy.RemoveIcon();
    if (m_bMsg) FwMessageBox(m_hWnd, "正常に終了しました", "完了", MB_OK);
    OnOK();
}

void CCmdDlg::OnOK()
{
    UpdateData(TRUE);
    CWinApp* app = AfxGetApp();
    if (m_nOutputMode == OutputToFolder) app->WriteProfileString(kSection, "OutDir", PathToDir(m_editOutDir.GetWindowText()));
    app->WriteProfileInt(kSection, "Singles", m_bSingles ? 1 : 0);
    app->WriteProfileInt(kSection, "Tray", m_bTray ? 1 : 0);
    app->WriteProfileInt(kSection, "Msg", m_bMsg ? 1 : 0);

    const CString password = m_comboPass.GetWindowText();
    if (!password.IsEmpty()) {
        RecordPass(m_comboPass, password);
        // A failure keeps the old file whole; as before, nothing is shown.
        SaveHistory(HistoryFilePath(), EntriesOf(m_comboPass));
    }
    EndDialog(IDOK);
}

void CCmdDlg::WinHelp(DWORD_PTR, UINT command) { CDialog::WinHelp(52, command); }

void CCmdDlg::OnSysCommand(WPARAM id, LPARAM)
{
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about(this);
        about.DoModal();
    } else {
        Default();
    }
}

void CCmdDlg::OnSingles()
{
    UpdateData(TRUE);
    ::EnableWindow(GetDlgItem(IDC_CMD_FILENAME), !m_bSingles);
}

void CCmdDlg::OnBrowse()
{
    CBrowseForDirectory browse(this, "出力先を選択してください", m_editOutDir.GetWindowText());
    if (browse.DoModal()) m_editOutDir.SetWindowText(browse.GetDirectoryDir());
}

void CCmdDlg::OnKillFocusFileName()
{
    // OnStart checks the name itself; its message box takes the focus too.
    if (m_bCheckingName) return;
    UpdateData(TRUE);
    ValidateFileName(GetDlgItem(IDC_CMD_FILENAME), m_strFileName);
}
