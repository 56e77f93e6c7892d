#pragma once
// Asks for a password to add to the history (dialog 135).

#include "framework/CDialog.h"

class CAddHistoryDlg : public CDialog {
public:
    explicit CAddHistoryDlg(CWnd* parent = nullptr);
    CString m_strHistoryPass;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
