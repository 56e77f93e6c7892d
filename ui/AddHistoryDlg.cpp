#include "ui/AddHistoryDlg.h"

#include "framework/CDataExchange.h"
#include "res/resource.h"

CAddHistoryDlg::CAddHistoryDlg(CWnd* parent) : CDialog(IDD_ADD_HISTORY, parent) {}

void CAddHistoryDlg::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, IDC_HISTORY_PASS, m_strHistoryPass); }
