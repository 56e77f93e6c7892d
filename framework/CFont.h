#pragma once
// A GDI font owned by the object.

#include <windows.h>

class CFont {
public:
    CFont() = default;
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;
    ~CFont() { DeleteObject(); }

    HFONT GetSafeHandle() const { return m_hObject; }
    operator HFONT() const { return m_hObject; }

    BOOL CreateFontIndirect(const LOGFONTA* logFont);
    // A font of face, pointSize tenths of a point high at the screen's
    // resolution (hdc null) or at hdc's; normal weight, default charset.
    BOOL CreatePointFont(int pointSize, const char* face, HDC hdc = nullptr);
    BOOL GetLogFont(LOGFONTA* logFont) const;
    BOOL DeleteObject();

private:
    HFONT m_hObject = nullptr;
};
