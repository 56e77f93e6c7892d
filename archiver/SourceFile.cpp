#include "archiver/SourceFile.h"

#include "archiver/FaultPoints.h"

#include <algorithm>

namespace {

// Size and time only: the cheapest questions to ask about an open file.
bool Stat(HANDLE h, uint64_t& size, FILETIME& modified)
{
    LARGE_INTEGER n;
    if (!GetFileSizeEx(h, &n) || !GetFileTime(h, nullptr, nullptr, &modified)) return false;
    size = uint64_t(n.QuadPart);
    return true;
}

} // namespace

Status SourceFile::Open(const std::wstring& path, const std::string& shownName)
{
    Close();
    m_name = shownName;
    m_read = 0;
    // Others may keep the file open, even for writing: changes are caught by the checks.
    m_handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (m_handle == INVALID_HANDLE_VALUE) return Status::Fail("cannot open " + m_name);
    if (!Stat(m_handle, m_size, m_modified)) return Status::Fail("cannot read " + m_name);
    return Status();
}

Status SourceFile::Changed() const { return Status::Fail("changed while being read: " + m_name); }

Status SourceFile::Read(void* data, size_t size)
{
    auto p = static_cast<char*>(data);
    while (size > 0) {
        const DWORD n = DWORD(std::min<size_t>(size, 1u << 30));
        DWORD done = 0;
        if (fault::Hit("read") || !ReadFile(m_handle, p, n, &done, nullptr)) return Status::Fail("cannot read " + m_name);
        if (fault::Hit("short")) done = 0;
        if (done == 0) return Changed();
        p += done;
        size -= done;
        m_read += done;
    }
    return Status();
}

Status SourceFile::Finish()
{
    char probe;
    DWORD done = 0;
    if (!ReadFile(m_handle, &probe, 1, &done, nullptr)) return Status::Fail("cannot read " + m_name);
    uint64_t size;
    FILETIME modified;
    if (done != 0 || m_read != m_size || !Stat(m_handle, size, modified) || size != m_size ||
        CompareFileTime(&modified, &m_modified) != 0)
        return Changed();
    return Status();
}

void SourceFile::Close()
{
    if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
}
