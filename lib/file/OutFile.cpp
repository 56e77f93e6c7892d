#include "lib/OutFile.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

namespace {

const char kNoMemory[] = "メモリ不足です";

const char* CauseText(int cause)
{
    switch (cause) {
    case CFileException::fileNotFound: return "ファイルが見つかりません";
    case CFileException::badPath: return "パスが不正です";
    case CFileException::accessDenied: return "ファイルアクセスが禁止されています";
    case CFileException::directoryFull: return "ディレクトリがFullです";
    case CFileException::hardIO: return "ハードウェアエラーが発生しました";
    case CFileException::diskFull: return "ディスク容量が不足しています";
    default: return "エラーが発生しました";
    }
}

CString ErrorText(const CFileException& e)
{
    CString text = e.m_strFileName.IsEmpty() ? CString("ファイル名がありません") : e.m_strFileName;
    text += ':';
    text += CauseText(e.m_cause);
    return text;
}

// Text as written in text mode: each line feed becomes CR LF.
void AppendText(std::string& out, const char* text)
{
    for (const char* p = text; *p; ++p) {
        if (*p == '\n') out += '\r';
        out += *p;
    }
}

int CountLineFeeds(const char* text) { return static_cast<int>(std::count(text, text + std::strlen(text), '\n')); }

// Puts the file back to length bytes after a failed change; a failure here
// leaves the first error as the one reported.
void CutBack(CStdioFile& file, ULONGLONG length)
{
    try {
        file.SetLength(length);
    } catch (const CFileException&) {
    }
}

// Written in pieces the size of the file's buffer, so that writing (and
// writing the old bytes back) needs no memory beyond what the buffer has.
void WriteAll(CStdioFile& file, ULONGLONG at, const std::string& bytes)
{
    file.Seek(static_cast<LONGLONG>(at), CFile::begin);
    for (size_t done = 0; done < bytes.size();) {
        const UINT n = static_cast<UINT>(std::min<size_t>(bytes.size() - done, 64 * 1024));
        file.Write(bytes.data() + done, n);
        done += n;
    }
    file.Flush();
}

std::string ReadAll(CStdioFile& file)
{
    file.SeekToBegin();
    std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        const UINT n = file.Read(&bytes[done], static_cast<UINT>(std::min<size_t>(bytes.size() - done, 1u << 30)));
        if (n == 0) break;
        done += n;
    }
    bytes.resize(done);
    return bytes;
}

} // namespace

COutFile::COutFile(const char* path) : m_strFilePath(path), m_nLineCount(0)
{
    CFileStatus status;
    UINT flags = CFile::modeReadWrite | CFile::shareExclusive | CFile::typeText;
    CFileException error;
    if (!CFile::GetStatus(m_strFilePath, status)) {
        // Open-or-create never truncates, even a file that appears meanwhile.
        flags |= CFile::modeCreate | CFile::modeNoTruncate;
    } else if ((status.m_dwAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) == FILE_ATTRIBUTE_READONLY) {
        // Refused as Windows refuses it, also where the file system would let
        // a privileged user write (Wine run as root).
        m_strErrorMsg = ErrorText(CFileException(CFileException::accessDenied, ERROR_ACCESS_DENIED, m_strFilePath));
        return;
    }
    if (!m_file.Open(m_strFilePath, flags, &error)) {
        m_strErrorMsg = ErrorText(error);
        return;
    }
    // A file whose lines cannot be counted is not used: a wrong count would
    // make later changes miss their lines.
    try {
        CString line;
        int lines = 0;
        while (m_file.ReadString(line)) ++lines;
        m_nLineCount = lines;
    } catch (const CFileException& e) {
        m_strErrorMsg = ErrorText(e);
        m_file.Abort();
    } catch (const std::bad_alloc&) {
        m_strErrorMsg = kNoMemory;
        m_file.Abort();
    }
}

COutFile::~COutFile()
{
    // Every change was flushed when made; nothing is pending that a failed
    // close could lose.
    try {
        m_file.Close();
    } catch (const CFileException&) {
        m_file.Abort();
    }
}

bool COutFile::Fail(const CString& text)
{
    m_strErrorMsg = text;
    return true;
}

bool COutFile::AddLine(CString text)
{
    if (!m_file.IsOpen()) return true;
    bool lengthKnown = false;
    ULONGLONG before = 0;
    try {
        CString add(text.c_str());
        if (add.IsEmpty() || add[add.GetLength() - 1] != '\n') add += '\n';
        const int lines = CountLineFeeds(add);

        before = m_file.SeekToEnd();
        lengthKnown = true;
        if (before > 0) {
            // A last line from elsewhere without its line end gets one, so the
            // new text starts a line of its own and the count stays true.
            char last = 0;
            m_file.Seek(static_cast<LONGLONG>(before) - 1, CFile::begin);
            m_file.Read(&last, 1);
            if (last != '\n') add.Insert(0, "\n");
            m_file.SeekToEnd();
        }
        m_file.WriteString(add);
        m_file.Flush();
        m_nLineCount += lines;
        m_strErrorMsg.Empty();
        return false;
    } catch (const CFileException& e) {
        if (lengthKnown) CutBack(m_file, before);
        return Fail(ErrorText(e));
    } catch (const std::bad_alloc&) {
        if (lengthKnown) CutBack(m_file, before);
        return Fail(kNoMemory);
    }
}

bool COutFile::DeleteLine(int count, int first) { return Rewrite(count, first, nullptr); }

bool COutFile::DeleteAddLine(CString text)
{
    CString add(text.c_str());
    if (add.IsEmpty() || add[add.GetLength() - 1] != '\n') add += '\n';
    return Rewrite(1, 1, add);
}

// Removes lines [first, first + count) and appends text (when given). The new
// content is first written after the old bytes, which stay untouched until
// it is complete; then it is copied to the front and the file is cut. A
// failure of the first step cuts the file back; a failure of the second
// writes the old bytes back over the space they held (already allocated,
// so a full disk does not stop that write).
bool COutFile::Rewrite(int count, int first, const char* append)
{
    if (!m_file.IsOpen()) return true;

    std::string old, updated;
    int kept = 0;
    try {
        old = ReadAll(m_file);
        const long long from = std::max(first, 1);
        const long long to = from + count - 1;
        updated.reserve(old.size() + (append ? std::strlen(append) * 2 : 0) + 64);
        long long number = 0;
        for (size_t pos = 0; pos < old.size();) {
            size_t end = old.find('\n', pos);
            const size_t next = end == std::string::npos ? old.size() : end + 1;
            if (end == std::string::npos) end = old.size();
            else if (end > pos && old[end - 1] == '\r') --end;
            ++number;
            if (number < from || number > to) {
                updated.append(old, pos, end - pos);
                updated += "\r\n";
                ++kept;
            }
            pos = next;
        }
        if (append) {
            AppendText(updated, append);
            kept += CountLineFeeds(append);
        }
    } catch (const CFileException& e) {
        return Fail(ErrorText(e));
    } catch (const std::bad_alloc&) {
        return Fail(kNoMemory);
    }

    const ULONGLONG oldLength = old.size();
    CString failure;
    try {
        WriteAll(m_file, oldLength, updated);
    } catch (const CFileException& e) {
        failure = ErrorText(e);
    } catch (const std::bad_alloc&) {
        failure = kNoMemory;
    }
    if (!failure.IsEmpty()) {
        CutBack(m_file, oldLength);
        return Fail(failure);
    }
    try {
        WriteAll(m_file, 0, updated);
        m_file.SetLength(updated.size());
    } catch (const CFileException& e) {
        failure = ErrorText(e);
    } catch (const std::bad_alloc&) {
        failure = kNoMemory;
    }
    if (!failure.IsEmpty()) {
        try {
            WriteAll(m_file, 0, old);
            m_file.SetLength(oldLength);
        } catch (...) {
            // Nothing more can be done through this handle; the complete new
            // text still follows the old length, so nothing is cut away.
        }
        return Fail(failure);
    }
    m_nLineCount = kept;
    m_strErrorMsg.Empty();
    return false;
}

CString COutFile::ReadLineEx(int count, int first)
{
    if (!m_file.IsOpen() || count <= 0) return CString();
    try {
        m_file.SeekToBegin();
        CString line;
        for (int i = 1; i < first; ++i)
            if (!m_file.ReadString(line)) return CString();
        std::string lines;
        for (int i = 0; i < count; ++i) {
            if (!m_file.ReadString(line)) return CString();
            lines += line.str();
            lines += '\n';
        }
        if (count == 1) lines.pop_back();
        return CString(lines);
    } catch (const CFileException&) {
        // Reads have no failure result: a line that cannot be read is not there.
        return CString();
    }
}

bool COutFile::Clear()
{
    if (!m_file.IsOpen()) return true;
    // A failure of the file comes back as a result like every other change,
    // never as an exception a caller without a handler would not survive.
    try {
        m_file.SetLength(0);
        m_file.SeekToBegin();
    } catch (const CFileException& e) {
        return Fail(ErrorText(e));
    } catch (const std::bad_alloc&) {
        return Fail(kNoMemory);
    }
    m_nLineCount = 0;
    m_strErrorMsg.Empty();
    return false;
}
