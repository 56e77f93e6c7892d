#pragma once
// The archive file being written: buffered writes, a known position, and the
// seeks, reads and truncation that patching and rolling back need.

#include "archiver/Status.h"

#include <windows.h>

#include <cstdint>
#include <string>

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile() { Close(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // A new file that must not exist yet (hidden while it is incomplete).
    Status Create(const std::wstring& path, bool hidden);
    // An existing archive, kept from every other writer and reader meanwhile.
    Status OpenExisting(const std::wstring& path);
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }

    Status Write(const void* data, size_t size);
    Status Write(const std::string& s) { return Write(s.data(), s.size()); }
    uint64_t Position() const { return m_position + m_buffer.size(); }
    Status Seek(uint64_t position);
    Status ReadAt(uint64_t position, void* data, size_t size);
    uint64_t Size();
    Status TruncateHere();
    Status Flush();   // buffer to the system
    Status Sync();    // and through to the disk
    void Close();

    const std::wstring& Path() const { return m_path; }

private:
    Status WriteRaw(const void* data, size_t size);

    HANDLE m_handle = INVALID_HANDLE_VALUE;
    std::wstring m_path;
    uint64_t m_position = 0;  // of the buffer's first byte
    std::string m_buffer;
};

constexpr size_t kOutputBuffer = 1024 * 1024;
