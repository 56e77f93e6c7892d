#pragma once
// A window: its handle and one-line wrappers over the calls made on it.
//
// A CWnd is attached to its window through a window property, so the object
// is found from the handle anywhere in the process: this layer is linked into
// the program and into Hobrin.dll alike, and a control whose class lives in
// one module may be subclassed by code of the other. All messages of an
// attached window come through one static window procedure, which hands them
// to the object's message map and then to the window's previous procedure.

#include "framework/CCmdTarget.h"
#include "framework/CString.h"

class CDataExchange;
class CFont;

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    // Detaches from the window (the window itself stays).
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object attached to hwnd, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Routes an existing window's messages through this object. FALSE when
    // hwnd is not a window or another object already owns it.
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    // Gives the window its previous procedure back; returns it.
    HWND UnsubclassWindow();

    // Data exchange between members and controls: TRUE pulls the controls
    // into the members, FALSE pushes the members into the controls.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange*) {}

    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    CWnd* GetParent() const { return FromHandlePermanent(::GetParent(m_hWnd)); }
    BOOL SetWindowText(const char* text) { return ::SetWindowTextA(m_hWnd, text); }
    CString GetWindowText() const;
    void GetWindowText(CString& text) const { text = GetWindowText(); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, msg, wParam, lParam);
    }
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(m_hWnd, msg, wParam, lParam);
    }
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE)
    {
        return ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
    {
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
    }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    HICON SetIcon(HICON icon, BOOL bigIcon)
    {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    }
    void SetFont(CFont* font, BOOL redraw = TRUE);
    HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
    HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }
    // A message box owned by this window (caption: the module's title).
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);

    // Opens the program's help file; the application object does the work.
    virtual void WinHelp(DWORD_PTR data, UINT command = HELP_CONTEXT);
    // Called for this window's messages in a modal dialog's loop before they
    // are dispatched; TRUE when the message was dealt with.
    virtual BOOL PreTranslateMessage(MSG*) { return FALSE; }

protected:
    // Every message of the window: its handler from the map, else Default.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // TRUE (with the result) when a map row handled the message.
    virtual BOOL OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A control's chance to answer a message its parent got for it.
    virtual BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The window's previous procedure.
    virtual LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The previous procedure for the message being handled now.
    LRESULT Default();
    virtual void PreSubclassWindow() {}
    // After the window's last message; the object may delete itself here.
    virtual void PostNcDestroy() {}

    // Hooks the window up to this object (the dialog layer uses it too).
    BOOL Attach(HWND hwnd, bool replaceProcedure);

    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    void Detach();

    WNDPROC m_pfnSuper = nullptr;
    MSG m_msgCur{};
};
