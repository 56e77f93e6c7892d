#include "archiver/OutputFile.h"

#include "archiver/FaultPoints.h"

#include <algorithm>

namespace {

Status DiskError(const char* what)
{
    const DWORD e = GetLastError();
    if (e == ERROR_DISK_FULL || e == ERROR_HANDLE_DISK_FULL) return Status::Fail(std::string(what) + ": disk full");
    return Status::Fail(std::string(what) + " failed (error " + std::to_string(e) + ")");
}

} // namespace

Status OutputFile::Create(const std::wstring& path, bool hidden)
{
    Close();
    m_handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           hidden ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_handle == INVALID_HANDLE_VALUE) return DiskError("creating the archive");
    m_path = path;
    m_position = 0;
    return Status();
}

Status OutputFile::OpenExisting(const std::wstring& path)
{
    Close();
    m_handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_handle == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_SHARING_VIOLATION) return Status::Fail("the archive is in use");
        return DiskError("opening the archive");
    }
    m_path = path;
    m_position = 0;
    return Status();
}

Status OutputFile::WriteRaw(const void* data, size_t size)
{
    auto p = static_cast<const char*>(data);
    while (size > 0) {
        const DWORD n = DWORD(std::min<size_t>(size, 1u << 30));
        DWORD done = 0;
        if (!WriteFile(m_handle, p, n, &done, nullptr) || done != n) return DiskError("writing the archive");
        p += n;
        size -= n;
        m_position += n;
    }
    return Status();
}

Status OutputFile::Write(const void* data, size_t size)
{
    if (fault::WriteHit(size)) {
        SetLastError(ERROR_DISK_FULL);
        return DiskError("writing the archive");
    }
    if (m_buffer.size() + size > kOutputBuffer) ZIP_TRY(Flush());
    if (size >= kOutputBuffer / 4) {
        ZIP_TRY(Flush());
        return WriteRaw(data, size);
    }
    m_buffer.append(static_cast<const char*>(data), size);
    return Status();
}

Status OutputFile::Flush()
{
    if (m_buffer.empty()) return Status();
    std::string pending;
    pending.swap(m_buffer);
    const Status s = WriteRaw(pending.data(), pending.size());
    pending.clear();
    m_buffer.swap(pending);
    return s;
}

Status OutputFile::Seek(uint64_t position)
{
    ZIP_TRY(Flush());
    LARGE_INTEGER to;
    to.QuadPart = LONGLONG(position);
    if (!SetFilePointerEx(m_handle, to, nullptr, FILE_BEGIN)) return DiskError("seeking in the archive");
    m_position = position;
    return Status();
}

Status OutputFile::ReadAt(uint64_t position, void* data, size_t size)
{
    ZIP_TRY(Seek(position));
    auto p = static_cast<char*>(data);
    while (size > 0) {
        const DWORD n = DWORD(std::min<size_t>(size, 1u << 30));
        DWORD done = 0;
        if (!ReadFile(m_handle, p, n, &done, nullptr)) return DiskError("reading the archive");
        if (done == 0) return Status::Fail("the archive ends early");
        p += done;
        size -= done;
        m_position += done;
    }
    return Status();
}

uint64_t OutputFile::Size()
{
    LARGE_INTEGER size{};
    GetFileSizeEx(m_handle, &size);
    return std::max<uint64_t>(uint64_t(size.QuadPart), Position());
}

Status OutputFile::TruncateHere()
{
    ZIP_TRY(Flush());
    if (!SetEndOfFile(m_handle)) return DiskError("setting the archive's length");
    return Status();
}

Status OutputFile::Sync()
{
    ZIP_TRY(Flush());
    if (fault::Hit("commit") || !FlushFileBuffers(m_handle)) return DiskError("flushing the archive");
    return Status();
}

void OutputFile::Close()
{
    if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
    m_buffer.clear();
}
