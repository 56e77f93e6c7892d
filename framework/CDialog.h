#pragma once
// A modal dialog from a template of the program's resources.

#include "framework/CWnd.h"

class CDialog : public CWnd {
public:
    // parent null: the application's main window owns the dialog.
    explicit CDialog(UINT idTemplate, CWnd* parent = nullptr) : m_nIDTemplate(idTemplate), m_pParentWnd(parent) {}

    // Runs the dialog; the value given to EndDialog, or -1 when it could not
    // be shown.
    virtual INT_PTR DoModal();
    // After the controls exist: pushes the members into them. TRUE lets the
    // system give the first control the focus.
    virtual BOOL OnInitDialog();
    void EndDialog(int result) { ::EndDialog(m_hWnd, result); }

    // IDOK: pull the controls, end with IDOK. IDCANCEL: end with IDCANCEL.
    virtual void OnOK();
    virtual void OnCancel();

protected:
    const MsgMap* GetMessageMap() const override;
    // F1 (WM_HELP): this dialog's WinHelp.
    void OnHelpInfo();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MsgFilterProc(int code, WPARAM wParam, LPARAM lParam);
};
