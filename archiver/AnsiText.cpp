#include "archiver/AnsiText.h"

#include <windows.h>

namespace ansi {

int CharLen(const char* p)
{
    if (*p == '\0') return 0;
    return (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1] != '\0') ? 2 : 1;
}

bool EndsWithBackslash(const std::string& s)
{
    const char* p = s.c_str();
    bool last = false;
    for (int n; (n = CharLen(p)) != 0; p += n) last = (n == 1 && *p == '\\');
    return last;
}

bool ToWide(const std::string& s, std::wstring& out)
{
    out.clear();
    if (s.empty()) return true;
    const int n = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, s.data(), int(s.size()), nullptr, 0);
    if (n <= 0) return false;
    out.resize(n);
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, s.data(), int(s.size()), &out[0], n);
    return true;
}

bool FromWide(const std::wstring& s, std::string& out)
{
    out.clear();
    if (s.empty()) return true;
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, s.data(), int(s.size()), nullptr, 0, nullptr, &lossy);
    if (n <= 0 || lossy) return false;
    out.resize(n);
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, s.data(), int(s.size()), &out[0], n, nullptr, &lossy);
    if (lossy) return false;
    // A name must come back unchanged, or the stored text would name another file.
    std::wstring back;
    return ToWide(out, back) && back == s;
}

std::string ToUtf8(const std::wstring& s)
{
    if (s.empty()) return std::string();
    const int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), int(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, s.data(), int(s.size()), &out[0], n, nullptr, nullptr);
    return out;
}

std::string Clip(const std::string& s, size_t limit)
{
    const char* p = s.c_str();
    size_t used = 0;
    for (int n; (n = CharLen(p + used)) != 0 && used + n <= limit;) used += n;
    return s.substr(0, used);
}

} // namespace ansi
