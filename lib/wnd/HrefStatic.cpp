#include "lib/HrefStatic.h"

#include "framework/ShellExecute.h"

#include <shlwapi.h>

namespace {

// The hand from the help program, for systems older than NT 5 that lack
// IDC_HAND; null when it cannot be had.
HCURSOR HandFromHelpProgram()
{
    char dir[MAX_PATH] = {};
    GetWindowsDirectoryA(dir, MAX_PATH);
    const CString path = CString(dir) + "\\winhlp32.exe";
    HMODULE help = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!help) return nullptr;
    HCURSOR hand = LoadCursorA(help, MAKEINTRESOURCEA(106));
    HCURSOR copy = hand ? static_cast<HCURSOR>(CopyIcon(hand)) : nullptr;
    FreeLibrary(help);
    return copy;
}

HCURSOR ChooseHandCursor()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 5)
        return LoadCursorA(nullptr, IDC_HAND);
    HCURSOR hand = HandFromHelpProgram();
    return hand ? hand : LoadCursorA(nullptr, IDC_ARROW);
}

} // namespace

CHrefStatic::CHrefStatic()
    : m_brush(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))), m_hCursor(ChooseHandCursor())
{
}

CHrefStatic::~CHrefStatic()
{
    DeleteObject(m_brush);
    // Only a private copy is ours to destroy; shared system cursors stay.
    if (m_hCursor && m_hCursor != LoadCursorA(nullptr, IDC_ARROW) && m_hCursor != LoadCursorA(nullptr, IDC_HAND))
        DestroyCursor(m_hCursor);
}

const MsgMap* CHrefStatic::GetMessageMap() const
{
    static const MsgMapEntry entries[] = {
        {WM_REFLECT_BASE + WM_CTLCOLORSTATIC, 0, 0, fw::Handler<&CHrefStatic::CtlColor>},
        {WM_SETCURSOR, 0, 0, fw::Handler<&CHrefStatic::OnSetCursor>},
        {WM_LBUTTONDOWN, 0, 0, fw::Handler<&CHrefStatic::OnLButtonDown>},
        {},
    };
    static const MsgMap map{CStatic::GetMessageMap(), entries};
    return &map;
}

HBRUSH CHrefStatic::CtlColor(WPARAM hdc, LPARAM)
{
    HDC dc = reinterpret_cast<HDC>(hdc);
    if (!m_font.GetSafeHandle()) {
        HFONT current = GetFont();
        if (!current) current = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
        LOGFONTA lf{};
        if (GetObjectA(current, sizeof lf, &lf) == sizeof lf) {
            lf.lfUnderline = TRUE;
            // Also the control's own font: a static that selects its font
            // after asking for colours still draws the underline.
            if (m_font.CreateFontIndirect(&lf)) SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), FALSE);
        }
    }
    if (m_font.GetSafeHandle()) SelectObject(dc, m_font.GetSafeHandle());
    SetTextColor(dc, RGB(0, 0, 255));
    SetBkMode(dc, TRANSPARENT);
    return m_brush;
}

BOOL CHrefStatic::OnSetCursor(WPARAM, LPARAM)
{
    SetCursor(m_hCursor);
    return TRUE;
}

void CHrefStatic::OnLButtonDown(WPARAM, LPARAM)
{
    const CString text = GetWindowText();
    if (PathIsURLA(text) == TRUE)
        FwShellExecute(nullptr, nullptr, text, nullptr, nullptr, SW_SHOWNORMAL);
    else
        FwShellExecute(nullptr, "open", "mailto:" + text, nullptr, nullptr, SW_SHOWNORMAL);
    Default();
}
