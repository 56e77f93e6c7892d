#pragma once
// Dialog data exchange: a CDataExchange carries the dialog and the direction;
// each DDX_ function binds one control to one member both ways.

#include "framework/CString.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dlgWnd) {}

    // The control id of the dialog (null when the template lacks it).
    HWND PrepareCtrl(int id) const;

    BOOL m_bSaveAndValidate;  // TRUE: controls to members
    CWnd* m_pDlgWnd;
};

// Window text of control id <-> value.
void DDX_Text(CDataExchange* pDX, int id, CString& value);
// Check state of button id <-> value (0 clear, 1 checked, 2 indeterminate).
void DDX_Check(CDataExchange* pDX, int id, BOOL& value);
// Attaches control to dialog item id the first time (subclassing it).
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
