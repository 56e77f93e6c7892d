#pragma once
// Directory search over a pattern. Use: FindFile, then FindNextFile until it
// returns FALSE, reading each entry after the call (the last entry is read
// after the call that returned FALSE). The search handle closes itself.

#include "framework/CString.h"

class CFileFind {
public:
    CFileFind() = default;
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;
    ~CFileFind() { Close(); }

    BOOL FindFile(const char* pattern = nullptr);
    BOOL FindNextFile();
    void Close();

    CString GetFileName() const { return CString(m_found.cFileName); }
    CString GetFilePath() const { return m_root + m_found.cFileName; }
    CString GetRoot() const { return m_root; }
    ULONGLONG GetLength() const { return (static_cast<ULONGLONG>(m_found.nFileSizeHigh) << 32) | m_found.nFileSizeLow; }
    DWORD GetAttributes() const { return m_found.dwFileAttributes; }
    BOOL IsDirectory() const { return (m_found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    BOOL IsHidden() const { return (m_found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0; }
    BOOL IsSystem() const { return (m_found.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0; }
    BOOL IsReadOnly() const { return (m_found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0; }
    BOOL IsDots() const;
    const WIN32_FIND_DATAA& GetFindData() const { return m_found; }

private:
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA m_found{};
    WIN32_FIND_DATAA m_next{};
    bool m_hasNext = false;
    CString m_root;  // folder part of the pattern, ending in a backslash (or empty)
};
