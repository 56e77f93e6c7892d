#include "framework/CFont.h"

#include <cstring>

BOOL CFont::CreateFontIndirect(const LOGFONTA* logFont)
{
    DeleteObject();
    m_hObject = ::CreateFontIndirectA(logFont);
    return m_hObject != nullptr;
}

BOOL CFont::CreatePointFont(int pointSize, const char* face, HDC hdc)
{
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfWeight = FW_NORMAL;
    if (face) lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
    HDC dc = hdc ? hdc : ::GetDC(nullptr);
    lf.lfHeight = -::MulDiv(pointSize, ::GetDeviceCaps(dc, LOGPIXELSY), 720);
    if (!hdc) ::ReleaseDC(nullptr, dc);
    return CreateFontIndirect(&lf);
}

BOOL CFont::GetLogFont(LOGFONTA* logFont) const
{
    return m_hObject && ::GetObjectA(m_hObject, sizeof *logFont, logFont) == sizeof *logFont;
}

BOOL CFont::DeleteObject()
{
    if (!m_hObject) return FALSE;
    const BOOL ok = ::DeleteObject(m_hObject);
    m_hObject = nullptr;
    return ok;
}
