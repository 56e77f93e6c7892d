#pragma once
// The main window (dialog 102): every packing option, the drop box, the
// output-folder field and the password history. Its settings live in section
// "Main" of the program's INI file: read when it opens, written when it
// closes, whichever way it closes.

#include "framework/CDialog.h"
#include "framework/CListBox.h"
#include "pack/DragBox.h"
#include "ui/DragEdit.h"

class CMainDlg : public CDialog {
public:
    explicit CMainDlg(CWnd* parent = nullptr);

    // Pulls all dialog data, then 1 when "出力先を指定" is selected, 2 for
    // "元ファイルと同じ場所", else 3.
    int GetOutputMode();
    // Pulls all dialog data, selects the radio of mode 1, 2 or 3 (any other
    // value changes none), then pushes all dialog data.
    void SetOutputMode(int mode);

    // Every help request opens the help file's contents.
    void WinHelp(DWORD_PTR data, UINT command = HELP_CONTEXT) override;

    HICON m_hIcon;
    CDragEdit m_editOutDir;
    BOOL m_bTray;
    CListBox m_listHistory;
    BOOL m_bMsg;
    BOOL m_bAutoFinish;
    RECT m_rcWindow;  // where the user last dragged the window
    CString m_strPass;
    CDragBox m_boxDrop;
    CString m_strFileName;
    BOOL m_bSingles;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    const MsgMap* GetMessageMap() const override;

    void OnSysCommand(WPARAM id, LPARAM);
    void OnPaint();
    HICON OnQueryDragIcon();
    void OnBrowse();
    void OnSingles();
    void OnAbout();
    void OnMoving(WPARAM, LPARAM rect);
    void OnKillFocusFileName();
    void OnHistoryAdd();
    void OnHistoryDelete();
    void OnHistoryClear();
    void OnHistoryTake();

    // Password history: the file into m_listHistory when the window opens,
    // m_listHistory into the file when it closes.
    void FillHistoryList();
    void WriteHistoryFile();

private:
    void ReadSettings();
    void RestorePosition();
};
