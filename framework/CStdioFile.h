#pragma once
// Buffered text file: CR LF reads as one line feed and each line feed is
// written as CR LF; every other byte passes unchanged. Like the framework's
// stream files, a failed write counts as disk full, a failed read as a
// generic error and a failed move as a bad seek.

#include "framework/CFile.h"

#include <vector>

class CStdioFile : public CFile {
public:
    CStdioFile() = default;
    ~CStdioFile() override;

    BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr) override;
    void Close() override;

    // Reads one line without its line end; FALSE at the end of the file.
    BOOL ReadString(CString& line);
    void WriteString(const char* text);

    UINT Read(void* buf, UINT count) override;
    void Write(const void* buf, UINT count) override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG length) override;
    void Flush() override;

private:
    void FlushWrite();
    void DropRead();
    bool Fill();  // false at end of file

    std::vector<char> m_read;
    size_t m_readPos = 0;
    std::vector<char> m_write;
};
