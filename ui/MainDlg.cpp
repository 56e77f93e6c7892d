#include "ui/MainDlg.h"

#include "framework/CDataExchange.h"
#include "framework/CPaintDC.h"
#include "framework/CWinApp.h"
#include "lib/BrowseFor.h"
#include "lib/PathFunc.h"
#include "pack/FileNameCheck.h"
#include "pack/OutputMode.h"
#include "res/resource.h"
#include "ui/AboutDlg.h"
#include "ui/AddHistoryDlg.h"
#include "ui/PasswordHistory.h"
#include "ui/WindowPlacement.h"

namespace {

const char kSection[] = "Main";
const int kModeRadios[] = {IDC_OUT_FOLDER, IDC_OUT_BESIDE, IDC_OUT_DESKTOP};

// A hand-edited flag reads as set when it is anything but 0.
BOOL Flag(CWinApp* app, const char* key) { return static_cast<int>(app->GetProfileInt(kSection, key, 0)) != 0; }

int Int(CWinApp* app, const char* key, int def) { return static_cast<int>(app->GetProfileInt(kSection, key, def)); }

} // namespace

CMainDlg::CMainDlg(CWnd* parent)
    : CDialog(IDD_MAIN, parent), m_bTray(FALSE), m_bMsg(FALSE), m_bAutoFinish(FALSE), m_rcWindow(), m_bSingles(FALSE)
{
    m_hIcon = AfxGetApp()->LoadIcon(IDI_MAIN);
}

const MsgMap* CMainDlg::GetMessageMap() const
{
    static const MsgMapEntry entries[] = {
        {WM_SYSCOMMAND, 0, 0, fw::Handler<&CMainDlg::OnSysCommand>},
        {WM_PAINT, 0, 0, fw::Handler<&CMainDlg::OnPaint>},
        {WM_QUERYDRAGICON, 0, 0, fw::Handler<&CMainDlg::OnQueryDragIcon>},
        {WM_COMMAND, IDC_BROWSE, BN_CLICKED, fw::Handler<&CMainDlg::OnBrowse>},
        {WM_COMMAND, IDC_SINGLES, BN_CLICKED, fw::Handler<&CMainDlg::OnSingles>},
        {WM_COMMAND, IDM_ABOUT, 0, fw::Handler<&CMainDlg::OnAbout>},
        {WM_MOVING, 0, 0, fw::Handler<&CMainDlg::OnMoving>},
        {WM_COMMAND, IDC_FILENAME, EN_KILLFOCUS, fw::Handler<&CMainDlg::OnKillFocusFileName>},
        {WM_COMMAND, IDC_HISTORY_ADD, BN_CLICKED, fw::Handler<&CMainDlg::OnHistoryAdd>},
        {WM_COMMAND, IDC_HISTORY_DELETE, BN_CLICKED, fw::Handler<&CMainDlg::OnHistoryDelete>},
        {WM_COMMAND, IDM_CLEAR_HISTORY, 0, fw::Handler<&CMainDlg::OnHistoryClear>},
        {WM_COMMAND, IDC_HISTORY, LBN_DBLCLK, fw::Handler<&CMainDlg::OnHistoryTake>},
        {},
    };
    static const MsgMap map{CDialog::GetMessageMap(), entries};
    return &map;
}

void CMainDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_PASS, m_strPass);
    DDX_Control(pDX, IDC_DROPBOX, m_boxDrop);
    DDX_Text(pDX, IDC_FILENAME, m_strFileName);
    DDX_Check(pDX, IDC_SINGLES, m_bSingles);
    DDX_Control(pDX, IDC_OUTDIR, m_editOutDir);
    DDX_Check(pDX, IDC_TRAY, m_bTray);
    DDX_Control(pDX, IDC_HISTORY, m_listHistory);
    DDX_Check(pDX, IDC_MSG, m_bMsg);
    DDX_Check(pDX, IDC_AUTOFINISH, m_bAutoFinish);
}

BOOL CMainDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    AppendAboutItem(*this);

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_boxDrop.m_font.CreatePointFont(90, "ゴシック");
    m_boxDrop.SetFont(&m_boxDrop.m_font, TRUE);

    m_editOutDir.SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    ReadSettings();
    if (m_bSingles) ::EnableWindow(GetDlgItem(IDC_FILENAME), FALSE);
    RestorePosition();
    FillHistoryList();
    UpdateData(FALSE);

    ::SetFocus(GetDlgItem(IDC_PASS));
    return FALSE;
}

void CMainDlg::ReadSettings()
{
    CWinApp* app = AfxGetApp();
    // A mode no radio stands for would leave all three clear while packing
    // goes to the desktop; show the desktop choice it really uses.
    int mode = Int(app, "OutputMode", kDefaultOutputMode);
    if (mode < OutputToFolder || mode > OutputToDesktop) mode = OutputToDesktop;
    SetOutputMode(mode);
    m_bSingles = Flag(app, "Singles");
    m_editOutDir.SetWindowText(app->GetProfileString(kSection, "OutDir", ""));
    m_bTray = Flag(app, "Tray");
    m_rcWindow.top = Int(app, "Rect_top", 0);
    m_rcWindow.bottom = Int(app, "Rect_bottom", 0);
    m_rcWindow.left = Int(app, "Rect_left", 0);
    m_rcWindow.right = Int(app, "Rect_right", 0);
    m_bMsg = Flag(app, "Msg");
    m_bAutoFinish = Flag(app, "AutoFinish");
}

void CMainDlg::RestorePosition()
{
    if (m_rcWindow.left == 0 && m_rcWindow.right == 0) return;
    // The dialog is not resizable: only the place is restored, the size stays
    // the template's, and a place off every screen comes back onto one.
    RECT now;
    GetWindowRect(&now);
    const RECT placed = KeepOnScreen(POINT{m_rcWindow.left, m_rcWindow.top},
                                     SIZE{now.right - now.left, now.bottom - now.top});
    MoveWindow(placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top, TRUE);
    m_rcWindow = placed;
}

int CMainDlg::GetOutputMode()
{
    UpdateData(TRUE);
    if (::IsDlgButtonChecked(m_hWnd, IDC_OUT_FOLDER) == BST_CHECKED) return OutputToFolder;
    if (::IsDlgButtonChecked(m_hWnd, IDC_OUT_BESIDE) == BST_CHECKED) return OutputBesideSource;
    return OutputToDesktop;
}

void CMainDlg::SetOutputMode(int mode)
{
    // Pulled first, so what was typed or ticked since the last pull survives.
    UpdateData(TRUE);
    if (mode >= 1 && mode <= 3) {
        for (int i = 0; i < 3; ++i) ::CheckDlgButton(m_hWnd, kModeRadios[i], i + 1 == mode ? BST_CHECKED : BST_UNCHECKED);
    }
    UpdateData(FALSE);
}

void CMainDlg::OnOK()
{
    // Enter never closes the main window.
}

void CMainDlg::OnCancel()
{
    CWinApp* app = AfxGetApp();
    const CString outDir = PathToDir(m_editOutDir.GetWindowText());
    app->WriteProfileInt(kSection, "OutputMode", GetOutputMode());
    app->WriteProfileInt(kSection, "Singles", m_bSingles);
    app->WriteProfileInt(kSection, "Tray", m_bTray);
    app->WriteProfileInt(kSection, "Msg", m_bMsg);
    app->WriteProfileInt(kSection, "AutoFinish", m_bAutoFinish);
    app->WriteProfileString(kSection, "OutDir", outDir);
    app->WriteProfileInt(kSection, "Rect_top", m_rcWindow.top);
    app->WriteProfileInt(kSection, "Rect_bottom", m_rcWindow.bottom);
    app->WriteProfileInt(kSection, "Rect_left", m_rcWindow.left);
    app->WriteProfileInt(kSection, "Rect_right", m_rcWindow.right);
    WriteHistoryFile();
    CDialog::OnCancel();
}

void CMainDlg::WinHelp(DWORD_PTR, UINT) { CDialog::WinHelp(0, HELP_FINDER); }

void CMainDlg::OnSysCommand(WPARAM id, LPARAM)
{
    if ((id & 0xFFF0) == IDM_ABOUTBOX)
        OnAbout();
    else
        Default();
}

void CMainDlg::OnAbout()
{
    CAboutDlg about;
    about.DoModal();
}

void CMainDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)), 0);
    RECT rect;
    GetClientRect(&rect);
    const int x = (rect.right - rect.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rect.bottom - rect.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
}

HICON CMainDlg::OnQueryDragIcon() { return m_hIcon; }

void CMainDlg::OnMoving(WPARAM, LPARAM rect)
{
    Default();
    m_rcWindow = *reinterpret_cast<const RECT*>(rect);
}

void CMainDlg::OnSingles()
{
    UpdateData(TRUE);
    ::EnableWindow(GetDlgItem(IDC_FILENAME), !m_bSingles);
}

void CMainDlg::OnBrowse()
{
    const CString current = m_editOutDir.GetWindowText();
    CBrowseForDirectory browse(this, "出力先を選択してください", current);
    if (!browse.DoModal()) return;
    m_editOutDir.SetWindowText(browse.GetDirectoryDir());
    SetOutputMode(OutputToFolder);
}

void CMainDlg::OnKillFocusFileName()
{
    UpdateData(TRUE);
    ValidateFileName(GetDlgItem(IDC_FILENAME), m_strFileName);
}

void CMainDlg::FillHistoryList()
{
    for (const CString& entry : LoadHistory(HistoryFilePath())) m_listHistory.AddString(entry);
}

void CMainDlg::WriteHistoryFile()
{
    // A failure keeps the old file whole; as before, nothing is shown.
    SaveHistory(HistoryFilePath(), EntriesOf(m_listHistory));
}

void CMainDlg::OnHistoryAdd()
{
    CAddHistoryDlg add;
    if (add.DoModal() == IDOK && !add.m_strHistoryPass.IsEmpty()) m_listHistory.AddString(add.m_strHistoryPass);
}

void CMainDlg::OnHistoryDelete()
{
    const int selected = m_listHistory.GetCurSel();
    if (selected != LB_ERR) m_listHistory.DeleteString(selected);
}

void CMainDlg::OnHistoryClear()
{
    if (MessageBox("Passの履歴がクリアされます、よろしいですか？", "確認", MB_ICONQUESTION | MB_YESNO) != IDYES) return;
    SaveHistory(HistoryFilePath(), {});
    m_listHistory.ResetContent();
}

void CMainDlg::OnHistoryTake()
{
    const int selected = m_listHistory.GetCurSel();
    if (selected == LB_ERR) return;
    // Pull first, so that options changed since the last pull survive the push.
    UpdateData(TRUE);
    m_strPass = m_listHistory.GetText(selected);
    UpdateData(FALSE);
}
