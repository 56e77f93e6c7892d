#include "framework/CFile.h"

#include "framework/WriteSeam.h"


namespace {
CString FullPath(const char* name)
{
    CString full;
    char* part = nullptr;
    const DWORD n = GetFullPathNameA(name, MAX_PATH, full.GetBuffer(MAX_PATH), &part);
    full.ReleaseBuffer(n > 0 && n < MAX_PATH ? static_cast<int>(n) : 0);
    return full;
}
} // namespace

CFile::~CFile() { Abort(); }

BOOL CFile::Open(const char* fileName, UINT flags, CFileException* error)
{
    Abort();
    m_strFileName = fileName;
    m_strFilePath = FullPath(fileName);

    DWORD access = 0;
    switch (flags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
    }
    DWORD share = 0;
    switch (flags & 0x70) {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: share = 0; break;
    }
    DWORD disposition = OPEN_EXISTING;
    if (flags & modeCreate) disposition = (flags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, (flags & modeNoInherit) ? FALSE : TRUE};
    HANDLE h = CreateFileA(fileName, access, share, &sa, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const LONG err = static_cast<LONG>(GetLastError());
        if (error) *error = CFileException(CFileException::OsErrorToException(err), err, fileName);
        return FALSE;
    }
    m_hFile = h;
    return TRUE;
}

void CFile::Close()
{
    if (m_hFile == INVALID_HANDLE_VALUE) return;
    HANDLE h = m_hFile;
    m_hFile = INVALID_HANDLE_VALUE;
    if (!CloseHandle(h)) ThrowLastError();
}

void CFile::Abort()
{
    if (m_hFile != INVALID_HANDLE_VALUE) CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

void CFile::ThrowLastError() const
{
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFilePath);
}

UINT CFile::Read(void* buf, UINT count)
{
    DWORD got = 0;
    if (count && !ReadFile(m_hFile, buf, count, &got, nullptr)) ThrowLastError();
    return got;
}

void CFile::Write(const void* buf, UINT count)
{
    DWORD put = 0;
    if (!count) return;
    if (!FwWriteFile(m_hFile, buf, count, &put)) ThrowLastError();
    if (put != count) CFileException::Throw(CFileException::diskFull, ERROR_DISK_FULL, m_strFilePath);
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    LARGE_INTEGER dist, pos;
    dist.QuadPart = offset;
    if (!SetFilePointerEx(m_hFile, dist, &pos, from)) ThrowLastError();
    return static_cast<ULONGLONG>(pos.QuadPart);
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER zero{}, pos;
    if (!SetFilePointerEx(m_hFile, zero, &pos, FILE_CURRENT)) ThrowLastError();
    return static_cast<ULONGLONG>(pos.QuadPart);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_hFile, &size)) ThrowLastError();
    return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG length)
{
    const ULONGLONG keep = GetPosition();
    Seek(static_cast<LONGLONG>(length), begin);
    if (!SetEndOfFile(m_hFile)) ThrowLastError();
    Seek(static_cast<LONGLONG>(keep < length ? keep : length), begin);
}

void CFile::Flush()
{
    if (m_hFile != INVALID_HANDLE_VALUE && !FlushFileBuffers(m_hFile)) ThrowLastError();
}

BOOL CFile::GetStatus(const char* path, CFileStatus& status)
{
    status = CFileStatus();
    char* part = nullptr;
    const DWORD n = GetFullPathNameA(path, MAX_PATH, status.m_szFullName, &part);
    if (n == 0 || n >= MAX_PATH) {
        status.m_szFullName[0] = '\0';
        return FALSE;
    }
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(path, &fd);
    if (h == INVALID_HANDLE_VALUE) return FALSE;
    FindClose(h);
    status.m_ctime = fd.ftCreationTime;
    status.m_mtime = fd.ftLastWriteTime;
    status.m_atime = fd.ftLastAccessTime;
    status.m_size = (static_cast<ULONGLONG>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
    status.m_dwAttributes = fd.dwFileAttributes;
    status.m_attribute = static_cast<BYTE>(fd.dwFileAttributes & 0xFF);
    return TRUE;
}

void CFile::Rename(const char* oldName, const char* newName)
{
    if (!MoveFileA(oldName, newName)) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), oldName);
}

void CFile::Remove(const char* fileName)
{
    if (!DeleteFileA(fileName)) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), fileName);
}
