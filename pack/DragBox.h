#pragma once
// The drop box of the main window (static control 1000): files and folders
// dropped on it are packed with the main window's options.

#include "framework/CFont.h"
#include "framework/CWnd.h"

class CDragBox : public CWnd {
public:
    // The box's font: made by the main window when it opens, owned here.
    CFont m_font;
};
