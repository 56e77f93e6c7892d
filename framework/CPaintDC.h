#pragma once
// The device context of one WM_PAINT, ended on every way out.

#include "framework/CWnd.h"

class CPaintDC {
public:
    explicit CPaintDC(CWnd* wnd) : m_hWnd(wnd->m_hWnd), m_hDC(::BeginPaint(m_hWnd, &m_ps)) {}
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }
    operator HDC() const { return m_hDC; }

    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
    HDC m_hDC;
};
