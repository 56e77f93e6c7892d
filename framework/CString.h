#pragma once
// The framework's string: narrow text in the ANSI code page (932 here).
// Searches walk whole characters; a double-byte character never matches a
// single-byte one, even where its second byte has the same code.

#include <windows.h>
#include <cstdarg>
#include <string>

class CString {
public:
    CString() = default;
    CString(const char* s) : m_s(s ? s : "") {}
    CString(const char* s, int len) : m_s(s ? s : "", s && len > 0 ? len : 0) {}
    CString(char ch, int repeat = 1) : m_s(repeat > 0 ? repeat : 0, ch) {}
    CString(const std::string& s) : m_s(s) {}

    int GetLength() const { return static_cast<int>(m_s.size()); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    operator const char*() const { return m_s.c_str(); }
    const char* c_str() const { return m_s.c_str(); }
    const std::string& str() const { return m_s; }

    char GetAt(int i) const { return m_s.at(i); }
    char operator[](int i) const { return m_s.at(i); }
    void SetAt(int i, char ch) { m_s.at(i) = ch; }

    CString& operator=(const char* s) { m_s = s ? s : ""; return *this; }
    CString& operator=(char ch) { m_s.assign(1, ch); return *this; }
    CString& operator+=(const char* s) { if (s) m_s += s; return *this; }
    CString& operator+=(const CString& s) { m_s += s.m_s; return *this; }
    CString& operator+=(char ch) { m_s += ch; return *this; }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_s + b.m_s); }
    friend CString operator+(const CString& a, const char* b) { CString r(a); r += b; return r; }
    friend CString operator+(const char* a, const CString& b) { CString r(a); r += b; return r; }
    friend CString operator+(const CString& a, char b) { CString r(a); r += b; return r; }
    friend CString operator+(char a, const CString& b) { CString r(a); r += b; return r; }

    // Byte-wise comparison, as strcmp; NoCase folds ASCII letters only.
    int Compare(const char* s) const;
    int CompareNoCase(const char* s) const;

    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;

    // Index of the first/last whole character ch, or of the first occurrence of
    // sub starting on a character boundary; -1 when there is none.
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* set) const;

    void Format(const char* fmt, ...);
    void FormatV(const char* fmt, va_list args);
    void AppendFormat(const char* fmt, ...);

    // Direct access for Win32 calls that fill a buffer: GetBuffer gives room
    // for at least minLength bytes plus the terminator; ReleaseBuffer(-1)
    // takes the length from the terminator.
    char* GetBuffer(int minLength = 0);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    // String resource id of the program (or of the module given).
    BOOL LoadString(UINT id, HINSTANCE module = nullptr);

    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim() { TrimRight(); return TrimLeft(); }
    void MakeUpper();
    void MakeLower();
    int Replace(const char* from, const char* to);
    int Insert(int index, const char* s);
    int Delete(int index, int count = 1);

private:
    std::string m_s;
};

inline bool operator==(const CString& a, const CString& b) { return a.str() == b.str(); }
inline bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
inline bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return !(a == b); }
inline bool operator!=(const CString& a, const char* b) { return !(a == b); }
inline bool operator!=(const char* a, const CString& b) { return !(a == b); }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
inline bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
inline bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
inline bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
