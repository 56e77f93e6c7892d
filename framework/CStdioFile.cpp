#include "framework/CStdioFile.h"

#include "framework/WriteSeam.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr size_t kBufferSize = 64 * 1024;
}

CStdioFile::~CStdioFile()
{
    try {
        FlushWrite();
    } catch (const CFileException&) {
        // A destructor cannot report; Close() is the place to see this failure.
    }
}

BOOL CStdioFile::Open(const char* fileName, UINT openFlags, CFileException* error)
{
    m_read.clear();
    m_readPos = 0;
    m_write.clear();
    return CFile::Open(fileName, openFlags, error);
}

void CStdioFile::Close()
{
    if (!IsOpen()) return;
    try {
        FlushWrite();
    } catch (...) {
        Abort();
        throw;
    }
    CFile::Close();
}

void CStdioFile::FlushWrite()
{
    if (m_write.empty() || !IsOpen()) return;
    DWORD put = 0;
    const BOOL ok = FwWriteFile(m_hFile, m_write.data(), static_cast<DWORD>(m_write.size()), &put);
    const LONG err = ok ? ERROR_DISK_FULL : static_cast<LONG>(GetLastError());
    if (!ok || put != m_write.size()) {
        // Keep what did not reach the file out of later writes: the caller
        // learns of the failure now and decides what to do.
        m_write.clear();
        CFileException::Throw(CFileException::diskFull, err, m_strFilePath);
    }
    m_write.clear();
}

void CStdioFile::DropRead()
{
    const size_t unread = m_read.size() - m_readPos;
    m_read.clear();
    m_readPos = 0;
    if (unread) {
        LARGE_INTEGER back;
        back.QuadPart = -static_cast<LONGLONG>(unread);
        if (!SetFilePointerEx(m_hFile, back, nullptr, FILE_CURRENT))
            CFileException::Throw(CFileException::badSeek, static_cast<LONG>(GetLastError()), m_strFilePath);
    }
}

bool CStdioFile::Fill()
{
    FlushWrite();
    m_read.resize(kBufferSize);
    m_readPos = 0;
    DWORD got = 0;
    if (!ReadFile(m_hFile, m_read.data(), static_cast<DWORD>(m_read.size()), &got, nullptr)) {
        const LONG err = static_cast<LONG>(GetLastError());
        m_read.clear();
        CFileException::Throw(CFileException::genericException, err, m_strFilePath);
    }
    m_read.resize(got);
    return got > 0;
}

BOOL CStdioFile::ReadString(CString& line)
{
    std::string text;
    bool any = false;
    for (;;) {
        if (m_readPos >= m_read.size() && !Fill()) break;
        any = true;
        const char* begin = m_read.data() + m_readPos;
        const char* end = m_read.data() + m_read.size();
        const char* nl = static_cast<const char*>(memchr(begin, '\n', static_cast<size_t>(end - begin)));
        if (nl) {
            text.append(begin, nl);
            m_readPos += static_cast<size_t>(nl - begin) + 1;
            if (!text.empty() && text.back() == '\r') text.pop_back();
            line = CString(text);
            return TRUE;
        }
        text.append(begin, end);
        m_readPos = m_read.size();
    }
    line = CString(text);
    return any ? TRUE : FALSE;
}

void CStdioFile::WriteString(const char* text)
{
    DropRead();
    for (const char* p = text; *p; ++p) {
        if (*p == '\n') m_write.push_back('\r');
        m_write.push_back(*p);
        if (m_write.size() >= kBufferSize) FlushWrite();
    }
}

UINT CStdioFile::Read(void* buf, UINT count)
{
    FlushWrite();
    UINT done = 0;
    char* out = static_cast<char*>(buf);
    while (done < count) {
        if (m_readPos >= m_read.size() && !Fill()) break;
        const size_t n = std::min<size_t>(count - done, m_read.size() - m_readPos);
        memcpy(out + done, m_read.data() + m_readPos, n);
        m_readPos += n;
        done += static_cast<UINT>(n);
    }
    return done;
}

void CStdioFile::Write(const void* buf, UINT count)
{
    DropRead();
    const char* in = static_cast<const char*>(buf);
    m_write.insert(m_write.end(), in, in + count);
    if (m_write.size() >= kBufferSize) FlushWrite();
}

ULONGLONG CStdioFile::Seek(LONGLONG offset, UINT from)
{
    FlushWrite();
    DropRead();
    LARGE_INTEGER dist, pos;
    dist.QuadPart = offset;
    if (!SetFilePointerEx(m_hFile, dist, &pos, from))
        CFileException::Throw(CFileException::badSeek, static_cast<LONG>(GetLastError()), m_strFilePath);
    return static_cast<ULONGLONG>(pos.QuadPart);
}

ULONGLONG CStdioFile::GetPosition() const
{
    return CFile::GetPosition() + m_write.size() - (m_read.size() - m_readPos);
}

ULONGLONG CStdioFile::GetLength() const
{
    const ULONGLONG onDisk = CFile::GetLength();
    const ULONGLONG reach = GetPosition();
    return reach > onDisk ? reach : onDisk;
}

void CStdioFile::SetLength(ULONGLONG length)
{
    FlushWrite();
    DropRead();
    CFile::SetLength(length);
}

void CStdioFile::Flush()
{
    FlushWrite();
}
