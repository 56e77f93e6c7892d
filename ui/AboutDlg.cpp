#include "ui/AboutDlg.h"

#include "framework/CDataExchange.h"
#include "res/resource.h"

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IDD_ABOUTBOX, parent) {}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_LINK_HOME, m_hrefHome);
    DDX_Control(pDX, IDC_LINK_HELP_HOME, m_hrefHelpHome);
    DDX_Control(pDX, IDC_LINK_MAIL, m_hrefMail);
    DDX_Control(pDX, IDC_LINK_HELP_MAIL, m_hrefHelpMail);
}

void AppendAboutItem(CWnd& dialog)
{
    CString about;
    about.LoadString(IDS_ABOUTBOX);
    if (HMENU menu = dialog.GetSystemMenu(FALSE); menu && !about.IsEmpty()) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, about);
    }
}
