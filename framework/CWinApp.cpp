#include "framework/CWinApp.h"

#include "framework/CWnd.h"
#include "framework/IniFile.h"
#include "framework/MessageBox.h"

#include <cstdlib>
#include <cstring>

namespace {
CWinApp* g_app = nullptr;

char* Dup(const char* s) { return _strdup(s ? s : ""); }
} // namespace

CWinApp::CWinApp(const char* appName)
{
    g_app = this;
    if (appName) m_pszAppName = Dup(appName);
}

CWinApp::~CWinApp()
{
    free(const_cast<char*>(m_pszAppName));
    free(const_cast<char*>(m_pszExeName));
    free(const_cast<char*>(m_pszProfileName));
    free(const_cast<char*>(m_pszHelpFilePath));
    if (g_app == this) g_app = nullptr;
}

void CWinApp::SetUp(HINSTANCE instance, const char* cmdLine, int cmdShow)
{
    m_hInstance = instance;
    m_nCmdShow = cmdShow;
    m_cmdLine = cmdLine ? cmdLine : "";
    m_lpCmdLine = m_cmdLine;

    char path[MAX_PATH] = {};
    GetModuleFileNameA(instance, path, MAX_PATH);
    CString full(path);
    CString name = full.Mid(full.ReverseFind('\\') + 1);
    const int dot = name.ReverseFind('.');
    if (dot >= 0) name = name.Left(dot);

    free(const_cast<char*>(m_pszExeName));
    m_pszExeName = Dup(name);
    if (!m_pszAppName) m_pszAppName = Dup(name);

    const int ext = full.ReverseFind('.');
    CString help = (ext > full.ReverseFind('\\') ? full.Left(ext) : full) + ".HLP";
    free(const_cast<char*>(m_pszHelpFilePath));
    m_pszHelpFilePath = Dup(help);

    // The default profile name; the program replaces it with its INI path.
    free(const_cast<char*>(m_pszProfileName));
    m_pszProfileName = Dup(CString(name) + ".INI");
}

int CWinApp::Run()
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return ExitInstance();
}

void CWinApp::WinHelp(DWORD_PTR data, UINT command)
{
    HWND owner = GetActiveWindow();
    if (!::WinHelpA(owner, m_pszHelpFilePath, command, data)) AfxMessageBox("ヘルプを起動できませんでした。", MB_ICONEXCLAMATION | MB_OK);
}

void CWinApp::OnHelp()
{
    CWnd* target = CWnd::FromHandlePermanent(GetActiveWindow());
    if (!target) target = m_pMainWnd;
    if (target)
        target->WinHelp(0, HELP_CONTEXT);
    else
        WinHelp(0, HELP_CONTEXT);
}

HICON CWinApp::LoadIcon(UINT id) const { return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id)); }

UINT CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue)
{
    return static_cast<UINT>(ini::ReadInt(m_pszProfileName, section, entry, defaultValue));
}

CString CWinApp::GetProfileString(const char* section, const char* entry, const char* defaultValue)
{
    return ini::ReadString(m_pszProfileName, section, entry, defaultValue);
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value)
{
    CString text;
    text.Format("%d", value);
    return ini::WriteString(m_pszProfileName, section, entry, text);
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value)
{
    return ini::WriteString(m_pszProfileName, section, entry, value);
}

CWinApp* AfxGetApp() { return g_app; }

HINSTANCE AfxGetInstanceHandle() { return g_app && g_app->m_hInstance ? g_app->m_hInstance : GetModuleHandleA(nullptr); }

HINSTANCE AfxGetResourceHandle() { return GetModuleHandleA(nullptr); }

int AfxWinMain(HINSTANCE instance, const char* cmdLine, int cmdShow)
{
    CWinApp* app = AfxGetApp();
    if (!app) return -1;
    app->SetUp(instance, cmdLine, cmdShow);
    if (!app->InitInstance()) return app->ExitInstance();
    return app->Run();
}
