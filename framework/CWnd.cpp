#include "framework/CWnd.h"

#include "framework/CDataExchange.h"
#include "framework/CFont.h"
#include "framework/CWinApp.h"
#include "framework/MessageBox.h"

namespace {
// The property that carries the object of a window, the same in every module.
const char kObjectProperty[] = "FwWindowObject";

bool IsColorRequest(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }
} // namespace

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) UnsubclassWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    return hwnd ? static_cast<CWnd*>(::GetPropA(hwnd, kObjectProperty)) : nullptr;
}

BOOL CWnd::Attach(HWND hwnd, bool replaceProcedure)
{
    if (!::IsWindow(hwnd) || m_hWnd || FromHandlePermanent(hwnd)) return FALSE;
    if (!::SetPropA(hwnd, kObjectProperty, this)) return FALSE;
    m_hWnd = hwnd;
    if (replaceProcedure) {
        m_pfnSuper = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WndProc)));
    }
    return TRUE;
}

void CWnd::Detach()
{
    if (!m_hWnd) return;
    if (FromHandlePermanent(m_hWnd) == this) ::RemovePropA(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (!Attach(hwnd, true)) return FALSE;
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    HWND control = parent ? ::GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
    return control && SubclassWindow(control);
}

HWND CWnd::UnsubclassWindow()
{
    HWND hwnd = m_hWnd;
    if (!hwnd) return nullptr;
    if (m_pfnSuper) ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Detach();
    return hwnd;
}

LRESULT CALLBACK CWnd::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (!wnd) return ::DefWindowProcA(hwnd, msg, wParam, lParam);

    const MSG saved = wnd->m_msgCur;
    wnd->m_msgCur = MSG{hwnd, msg, wParam, lParam, 0, {}};
    const LRESULT result = wnd->WindowProc(msg, wParam, lParam);
    wnd->m_msgCur = saved;

    if (msg == WM_NCDESTROY) {
        // The window is gone: the object outlives it, unattached.
        WNDPROC super = wnd->m_pfnSuper;
        wnd->m_pfnSuper = nullptr;
        if (super) ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
        wnd->Detach();
        wnd->PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(msg, wParam, lParam, &result)) result = DefWindowProc(msg, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (msg == WM_COMMAND) {
        const UINT id = LOWORD(wParam);
        const UINT code = HIWORD(wParam);
        if (const MsgMapEntry* e = FindMessageEntry(WM_COMMAND, id, code)) {
            *result = e->handler(this, wParam, lParam);
            return TRUE;
        }
        // Menu commands nobody here handles go to the application (help).
        if (lParam == 0) {
            if (CWinApp* app = AfxGetApp(); app && app->OnCmdMsg(id, code)) {
                *result = 0;
                return TRUE;
            }
        }
        return FALSE;
    }
    if (IsColorRequest(msg)) {
        // The control may colour itself (a link draws blue and underlined).
        if (CWnd* child = FromHandlePermanent(reinterpret_cast<HWND>(lParam)); child && child != this) {
            if (child->OnChildNotify(msg, wParam, lParam, result)) return TRUE;
        }
    }
    if (const MsgMapEntry* e = FindMessageEntry(msg, 0, 0)) {
        *result = e->handler(this, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (const MsgMapEntry* e = FindMessageEntry(WM_REFLECT_BASE + msg, 0, 0)) {
        *result = e->handler(this, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper) return ::CallWindowProcA(m_pfnSuper, m_hWnd, msg, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, msg, wParam, lParam);
}

LRESULT CWnd::Default() { return DefWindowProc(m_msgCur.message, m_msgCur.wParam, m_msgCur.lParam); }

BOOL CWnd::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

CString CWnd::GetWindowText() const
{
    CString text;
    const int length = ::GetWindowTextLengthA(m_hWnd);
    if (length > 0) {
        const int got = ::GetWindowTextA(m_hWnd, text.GetBuffer(length), length + 1);
        text.ReleaseBuffer(got);
    }
    return text;
}

void CWnd::SetFont(CFont* font, BOOL redraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->GetSafeHandle() : nullptr), redraw);
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type)
{
    return FwMessageBox(m_hWnd, text, caption, type);
}

void CWnd::WinHelp(DWORD_PTR data, UINT command)
{
    if (CWinApp* app = AfxGetApp()) app->WinHelp(data, command);
}
