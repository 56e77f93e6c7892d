#include "pack/PackingState.h"

#include "framework/CWinApp.h"
#include "framework/CWnd.h"
#include "res/resource.h"

#include <shellapi.h>

#include <cstring>

namespace {

// The record in its first, 88-byte form, as every shell version takes it.
NOTIFYICONDATAA IconRecord(HWND window)
{
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = CPackingState::kIconId;
    return data;
}

} // namespace

CPackingState::CPackingState(CWnd& window, CWnd& disable, bool tray) : m_window(window), m_disable(disable), m_tray(tray) {}

CPackingState::~CPackingState() { RemoveIcon(); }

void CPackingState::Begin()
{
    if (m_tray) {
        NOTIFYICONDATAA data = IconRecord(m_window.GetSafeHwnd());
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = kIconMessage;
        data.hIcon = AfxGetApp()->LoadIcon(IDI_BUSY);
        CString tip;
        tip.LoadString(IDS_TRAY_TIP, AfxGetInstanceHandle());
        lstrcpynA(data.szTip, tip, sizeof data.szTip);
        m_iconShown = Shell_NotifyIconA(NIM_ADD, &data) != FALSE;
        m_window.ShowWindow(SW_MINIMIZE);
        m_window.ShowWindow(SW_HIDE);
    } else {
        m_savedTitle = m_window.GetWindowText();
        CString busy;
        busy.LoadString(IDS_BUSY_TITLE, AfxGetInstanceHandle());
        m_window.SetWindowText(busy);
        m_disable.EnableWindow(FALSE);
    }
}

void CPackingState::RemoveIcon()
{
    if (!m_iconShown) return;
    NOTIFYICONDATAA data = IconRecord(m_window.GetSafeHwnd());
    Shell_NotifyIconA(NIM_DELETE, &data);
    m_iconShown = false;
}

void CPackingState::Restore()
{
    if (m_tray) {
        RemoveIcon();
        m_window.ShowWindow(SW_SHOW);
        m_window.ShowWindow(SW_RESTORE);
    } else {
        m_window.SetWindowText(m_savedTitle);
        m_disable.EnableWindow(TRUE);
    }
}
