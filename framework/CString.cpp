#include "framework/CString.h"

#include "framework/Mbcs.h"

#include <cstdio>
#include <cstring>

int CString::Compare(const char* s) const { return std::strcmp(m_s.c_str(), s ? s : ""); }

int CString::CompareNoCase(const char* s) const { return _stricmp(m_s.c_str(), s ? s : ""); }

CString CString::Left(int count) const
{
    if (count <= 0) return CString();
    return CString(m_s.substr(0, static_cast<size_t>(count)));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const
{
    if (first < 0) first = 0;
    if (first >= GetLength() || count <= 0) return CString();
    return CString(m_s.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Right(int count) const
{
    if (count <= 0) return CString();
    if (count >= GetLength()) return *this;
    return CString(m_s.substr(m_s.size() - static_cast<size_t>(count)));
}

int CString::Find(char ch, int start) const { return mbcs::FindChar(m_s.data(), GetLength(), ch, start); }

int CString::Find(const char* sub, int start) const
{
    return mbcs::FindString(m_s.data(), GetLength(), sub ? sub : "", start);
}

int CString::ReverseFind(char ch) const { return mbcs::ReverseFindChar(m_s.data(), GetLength(), ch); }

int CString::FindOneOf(const char* set) const
{
    for (int i = 0; i < GetLength(); i += mbcs::Step(m_s.data() + i)) {
        if (mbcs::Step(m_s.data() + i) == 1 && std::strchr(set, m_s[i]) && m_s[i] != '\0') return i;
    }
    return -1;
}

void CString::FormatV(const char* fmt, va_list args)
{
    va_list probe;
    va_copy(probe, args);
    const int n = _vscprintf(fmt, probe);
    va_end(probe);
    if (n < 0) { m_s.clear(); return; }
    std::string out(static_cast<size_t>(n), '\0');
    std::vsnprintf(&out[0], static_cast<size_t>(n) + 1, fmt, args);
    m_s.swap(out);
}

void CString::Format(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    FormatV(fmt, args);
    va_end(args);
}

void CString::AppendFormat(const char* fmt, ...)
{
    CString tail;
    va_list args;
    va_start(args, fmt);
    tail.FormatV(fmt, args);
    va_end(args);
    m_s += tail.m_s;
}

char* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength()) m_s.resize(static_cast<size_t>(minLength));
    return &m_s[0];
}

char* CString::GetBufferSetLength(int length)
{
    m_s.resize(static_cast<size_t>(length > 0 ? length : 0));
    return &m_s[0];
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0) newLength = static_cast<int>(std::strlen(m_s.c_str()));
    m_s.resize(static_cast<size_t>(newLength));
}

BOOL CString::LoadString(UINT id, HINSTANCE module)
{
    if (!module) module = GetModuleHandleA(nullptr);
    char buf[1024];
    const int n = ::LoadStringA(module, id, buf, sizeof buf);
    m_s.assign(buf, n > 0 ? static_cast<size_t>(n) : 0);
    return n > 0;
}

CString& CString::TrimLeft()
{
    size_t i = 0;
    while (i < m_s.size() && (m_s[i] == ' ' || m_s[i] == '\t' || m_s[i] == '\r' || m_s[i] == '\n')) ++i;
    m_s.erase(0, i);
    return *this;
}

CString& CString::TrimRight()
{
    // Only whole single-byte characters are trimmed; a trail byte is never blank
    // in code page 932, but walk anyway so the rule is the same everywhere.
    int keep = 0;
    for (int i = 0; i < GetLength(); i += mbcs::Step(m_s.data() + i)) {
        const char c = m_s[i];
        if (!(c == ' ' || c == '\t' || c == '\r' || c == '\n')) keep = i + mbcs::Step(m_s.data() + i);
    }
    m_s.resize(static_cast<size_t>(keep));
    return *this;
}

void CString::MakeUpper()
{
    for (int i = 0; i < GetLength(); i += mbcs::Step(m_s.data() + i))
        if (m_s[i] >= 'a' && m_s[i] <= 'z' && mbcs::Step(m_s.data() + i) == 1) m_s[i] = char(m_s[i] - 'a' + 'A');
}

void CString::MakeLower()
{
    for (int i = 0; i < GetLength(); i += mbcs::Step(m_s.data() + i))
        if (m_s[i] >= 'A' && m_s[i] <= 'Z' && mbcs::Step(m_s.data() + i) == 1) m_s[i] = char(m_s[i] - 'A' + 'a');
}

int CString::Replace(const char* from, const char* to)
{
    const int fromLen = from ? static_cast<int>(std::strlen(from)) : 0;
    if (fromLen == 0) return 0;
    std::string out;
    int count = 0;
    for (int i = 0; i < GetLength();) {
        if (GetLength() - i >= fromLen && std::memcmp(m_s.data() + i, from, fromLen) == 0) {
            out += to ? to : "";
            i += fromLen;
            ++count;
        } else {
            const int n = mbcs::Step(m_s.data() + i);
            out.append(m_s, i, n);
            i += n;
        }
    }
    m_s.swap(out);
    return count;
}

int CString::Insert(int index, const char* s)
{
    if (index < 0) index = 0;
    if (index > GetLength()) index = GetLength();
    m_s.insert(static_cast<size_t>(index), s ? s : "");
    return GetLength();
}

int CString::Delete(int index, int count)
{
    if (index >= 0 && index < GetLength() && count > 0) m_s.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    return GetLength();
}
