#pragma once
// The command-line dialog (dialog 136), shown instead of the main window when
// the program starts with paths: the same batch as the drop box over those
// paths, with its own copies of the options from section "Main" of the INI
// file. A finished batch saves the options and the password history and
// closes the dialog, which ends the program; Cancel saves nothing.

#include "framework/CComboBox.h"
#include "framework/CDialog.h"
#include "ui/DragEdit.h"

#include <vector>

class CCmdDlg : public CDialog {
public:
    // items: the paths to pack, in command-line order.
    explicit CCmdDlg(std::vector<CString> items, CWnd* parent = nullptr);

    // Start-up status, read by start-up before the dialog runs: 0 after
    // construction, kStatusNoDesktop once the dialog opened without finding
    // the desktop folder.
    enum { kStatusNoDesktop = 1 };
    int m_nStatus;

    // Every help request opens the help file at context 52.
    void WinHelp(DWORD_PTR data, UINT command = HELP_CONTEXT) override;
    // Return starts the batch and goes no further (see the definition).
    BOOL PreTranslateMessage(MSG* msg) override;

    int m_nOutputMode;  // from the settings; not shown, not changed here
    CComboBox m_comboPass;
    BOOL m_bMsg;
    CString m_strFileName;
    CDragEdit m_editOutDir;
    BOOL m_bTray;
    BOOL m_bSingles;
    HICON m_hIcon;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Saves the options and, with a password, the history; closes with IDOK.
    void OnOK() override;
    const MsgMap* GetMessageMap() const override;

    void OnSysCommand(WPARAM id, LPARAM);
    void OnStart();
    void OnBrowse();
    void OnSingles();
    void OnKillFocusFileName();

private:
    std::vector<CString> m_items;
    bool m_bCheckingName = false;  // OnStart is checking the file name
};
