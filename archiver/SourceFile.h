#pragma once
// One file being packed. Its size and time are taken when it is opened; a
// file that ends early, grows, or is written to meanwhile is a failure, never
// an entry stored short.

#include "archiver/Status.h"

#include <windows.h>

#include <cstdint>
#include <string>

class SourceFile {
public:
    SourceFile() = default;
    ~SourceFile() { Close(); }
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;

    Status Open(const std::wstring& path, const std::string& shownName);
    uint64_t Size() const { return m_size; }
    FILETIME Modified() const { return m_modified; }
    uint64_t Remaining() const { return m_size - m_read; }

    // Reads exactly size bytes (at most Remaining()).
    Status Read(void* data, size_t size);
    // At the end: nothing more to read, size and time unchanged.
    Status Finish();
    void Close();

private:
    Status Changed() const;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    std::string m_name;
    uint64_t m_size = 0;
    uint64_t m_read = 0;
    FILETIME m_modified{};
};
