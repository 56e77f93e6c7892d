#pragma once
// The drop box of the main window (static control 1000): files and folders
// dropped on it are packed at once with the main window's options, one
// archiver call per item.

#include "framework/CFont.h"
#include "framework/CWnd.h"

class CDragBox : public CWnd {
public:
    // The box's font: made by the main window when it opens, owned here.
    CFont m_font;

protected:
    const MsgMap* GetMessageMap() const override;
    void OnDropFiles(WPARAM drop, LPARAM);
};
