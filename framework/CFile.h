#pragma once
// Unbuffered binary file over a Win32 handle, and the file status query.
// Failures of an open file throw CFileException carrying the absolute path;
// Open reports its failure through the optional CFileException instead.

#include "framework/CFileException.h"
#include "framework/CString.h"

struct CFileStatus {
    FILETIME m_ctime{};
    FILETIME m_mtime{};
    FILETIME m_atime{};
    ULONGLONG m_size = 0;
    BYTE m_attribute = 0;
    DWORD m_dwAttributes = 0;  // all attribute bits, not only the low byte
    char m_szFullName[MAX_PATH] = {};
};

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000, modeWrite = 0x0001, modeReadWrite = 0x0002,
        shareCompat = 0x0000, shareExclusive = 0x0010, shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030, shareDenyNone = 0x0040, modeNoInherit = 0x0080,
        modeCreate = 0x1000, modeNoTruncate = 0x2000, typeText = 0x4000, typeBinary = 0x8000
    };
    enum SeekPosition { begin = FILE_BEGIN, current = FILE_CURRENT, end = FILE_END };
    enum Attribute : BYTE { normal = 0, readOnly = 1, hidden = 2, system = 4, volume = 8, directory = 0x10, archive = 0x20 };

    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    virtual ~CFile();

    virtual BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
    virtual void Close();
    void Abort();  // close without throwing
    bool IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
    HANDLE GetHandle() const { return m_hFile; }

    virtual UINT Read(void* buf, UINT count);
    virtual void Write(const void* buf, UINT count);
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG length);
    virtual void Flush();

    // The absolute path of the open file, and the name as given to Open.
    const CString& GetFilePath() const { return m_strFilePath; }
    const CString& GetFileName() const { return m_strFileName; }

    // Status of what lies at path (a directory search must find it).
    static BOOL GetStatus(const char* path, CFileStatus& status);
    static void Rename(const char* oldName, const char* newName);
    static void Remove(const char* fileName);

protected:
    [[noreturn]] void ThrowLastError() const;

    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    CString m_strFileName;
    CString m_strFilePath;
};
