#pragma once
// An edit control.

#include "framework/CWnd.h"

class CEdit : public CWnd {
public:
    void SetSel(int start, int end) { SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end); }
    void LimitText(int bytes) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(bytes)); }
};
