#pragma once
// How a window looks while a batch packs: hidden behind a notification-area
// icon, or titled "処理中" with one of its controls (or itself) disabled.
// Shared by the drop box and the command-line dialog.

#include "framework/CString.h"

class CWnd;

class CPackingState {
public:
    // window: the dialog that packs; disable: what is disabled without the
    // icon (the drop box, or the dialog itself); tray: use the icon.
    CPackingState(CWnd& window, CWnd& disable, bool tray);
    CPackingState(const CPackingState&) = delete;
    CPackingState& operator=(const CPackingState&) = delete;
    // Never leaves the icon behind.
    ~CPackingState();

    void Begin();
    // Removes the notification-area icon (the window stays hidden).
    void RemoveIcon();
    // Shows the window again as it was, and removes the icon if still there.
    void Restore();

    // Notification-area record of the batch.
    static constexpr UINT kIconId = 4578;
    static constexpr UINT kIconMessage = 40253;

private:
    CWnd& m_window;
    CWnd& m_disable;
    bool m_tray;
    bool m_iconShown = false;
    CString m_savedTitle;
};
