#include "framework/CDataExchange.h"

#include "framework/CWnd.h"

HWND CDataExchange::PrepareCtrl(int id) const { return ::GetDlgItem(m_pDlgWnd->m_hWnd, id); }

void DDX_Text(CDataExchange* pDX, int id, CString& value)
{
    HWND control = pDX->PrepareCtrl(id);
    if (!control) return;
    if (pDX->m_bSaveAndValidate) {
        value.Empty();
        const int length = ::GetWindowTextLengthA(control);
        if (length > 0) {
            const int got = ::GetWindowTextA(control, value.GetBuffer(length), length + 1);
            value.ReleaseBuffer(got);
        }
    } else {
        ::SetWindowTextA(control, value);
    }
}

void DDX_Check(CDataExchange* pDX, int id, BOOL& value)
{
    HWND control = pDX->PrepareCtrl(id);
    if (!control) return;
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<BOOL>(::SendMessageA(control, BM_GETCHECK, 0, 0));
    } else {
        if (value < BST_UNCHECKED || value > BST_INDETERMINATE) value = BST_UNCHECKED;
        ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    if (control.m_hWnd) return;
    control.SubclassDlgItem(static_cast<UINT>(id), pDX->m_pDlgWnd);
}
