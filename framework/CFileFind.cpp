#include "framework/CFileFind.h"

#include <cstring>

BOOL CFileFind::FindFile(const char* pattern)
{
    Close();
    CString pat = (pattern && *pattern) ? pattern : "*.*";
    const int slash = pat.ReverseFind('\\');
    const int colon = pat.Find(':');
    const int cut = slash >= 0 ? slash + 1 : (colon >= 0 ? colon + 1 : 0);
    m_root = pat.Left(cut);

    m_hFind = FindFirstFileA(pat, &m_next);
    if (m_hFind == INVALID_HANDLE_VALUE) {
        m_hasNext = false;
        return FALSE;
    }
    m_hasNext = true;
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_hasNext) return FALSE;
    m_found = m_next;
    m_hasNext = ::FindNextFileA(m_hFind, &m_next) != FALSE;
    return m_hasNext ? TRUE : FALSE;
}

void CFileFind::Close()
{
    if (m_hFind != INVALID_HANDLE_VALUE) FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
    m_hasNext = false;
}

BOOL CFileFind::IsDots() const
{
    return std::strcmp(m_found.cFileName, ".") == 0 || std::strcmp(m_found.cFileName, "..") == 0;
}
