#pragma once
// The about box (dialog 100): version, credits and four links.

#include "framework/CDialog.h"
#include "lib/HrefStatic.h"

class CAboutDlg : public CDialog {
public:
    // parent null: owned by the application's main window, if any.
    explicit CAboutDlg(CWnd* parent = nullptr);

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    CHrefStatic m_hrefHome;      // 1036: the author's home page
    CHrefStatic m_hrefHelpHome;  // 1037: the help author's home page
    CHrefStatic m_hrefMail;      // 1038: the author's mail address
    CHrefStatic m_hrefHelpMail;  // 1039: the help author's mail address
};

// Appends a separator and the about item (string 101, command 16) to the
// system menu of dialog, when the menu and the text exist.
void AppendAboutItem(CWnd& dialog);
