#include "lib/DirFunc.h"

#include "framework/CFileFind.h"
#include "framework/Mbcs.h"
#include "lib/PathFunc.h"

#include <cstring>
#include <string>

namespace {

// Room assumed behind an unsized error buffer: a root of up to 256
// characters (512 bytes in code page 932) plus a 259-byte entry name, or a
// 259-character destination plus a 34-byte message, with the terminator.
const size_t kUnsizedErrorSize = 1024;

const char kCreateFailed[] = "の作成に失敗しました";
const char kNotAFolder[] = "はディレクトリでないか存在しません";
const char kInsideSource[] = "はコピー元フォルダの中にあります";

class ErrorText {
public:
    ErrorText(char* buf, size_t size) : m_buf(buf), m_size(buf ? size : 0) {}

    // Copies text, cut on a whole character to fit.
    void Set(const char* text) const
    {
        if (m_size == 0) return;
        const size_t room = m_size - 1;
        size_t n = 0;
        while (text[n]) {
            const size_t step = static_cast<size_t>(mbcs::Step(text + n));
            if (n + step > room) break;
            n += step;
        }
        std::memcpy(m_buf, text, n);
        m_buf[n] = '\0';
    }

private:
    char* m_buf;
    size_t m_size;
};

const char* Safe(const char* s) { return s ? s : ""; }

bool EndsWithSeparator(const CString& s) { return mbcs::EndsWithChar(s, s.GetLength(), '\\'); }

CString WithSeparator(const CString& s) { return EndsWithSeparator(s) ? s : s + '\\'; }

CString FullPath(const char* path)
{
    const DWORD need = GetFullPathNameA(path, 0, nullptr, nullptr);
    if (need == 0) return CString();
    CString full;
    const DWORD n = GetFullPathNameA(path, need, full.GetBuffer(static_cast<int>(need)), nullptr);
    full.ReleaseBuffer(n > 0 && n < need ? static_cast<int>(n) : 0);
    return full;
}

// Entries are named by the folder being walked, made absolute, so that
// texts and recursive calls see full paths whatever the caller passed.
CString SearchRoot(const CString& pattern)
{
    CString full = FullPath(pattern);
    if (full.IsEmpty()) full = pattern;
    return full.Left(full.ReverseFind('\\') + 1);
}

struct Entry {
    CString path;  // root + name
    CString name;
    DWORD attributes;
    bool IsFolder() const { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    bool IsLink() const { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
};

// Calls visit for every entry but "." and ".." until it returns true (which
// is passed on). A search that cannot start is a folder without entries.
template <class Visit>
bool ForEachEntry(const CString& pattern, Visit visit)
{
    CFileFind find;
    BOOL more = find.FindFile(pattern);
    if (!more) return false;
    const CString root = SearchRoot(pattern);
    while (more) {
        more = find.FindNextFile();
        if (find.IsDots()) continue;
        const Entry entry{root + find.GetFileName(), find.GetFileName(), find.GetAttributes()};
        if (visit(entry)) return true;
    }
    return false;
}

bool DeleteTree(const CString& path, const ErrorText& error);

// Deletes what the folder holds. An empty path would make the pattern
// "\*.*", the root of the current drive: it holds nothing here.
bool DeleteEntries(const CString& path, const ErrorText& error)
{
    if (path.IsEmpty()) return false;
    return ForEachEntry(path + "\\*.*", [&](const Entry& e) {
        if (e.IsFolder()) {
            // A link is removed as itself: walking it would delete whatever
            // it points at, outside the tree.
            if (e.IsLink()) {
                if (RemoveDirectoryA(e.path)) return false;
                error.Set(e.path);
                return true;
            }
            return DeleteTree(e.path, error);
        }
        if (DeleteFileA(e.path)) return false;
        error.Set(e.path);
        return true;
    });
}

bool DeleteTree(const CString& path, const ErrorText& error)
{
    if (DeleteEntries(path, error)) return true;
    if (RemoveDirectoryA(path)) return false;
    error.Set(path);
    return true;
}

bool MoveAll(const CString& source, const CString& dest, const ErrorText& error)
{
    const CString destPrefix = WithSeparator(dest);
    const CString destDir = destPrefix.Left(destPrefix.GetLength() - 1);
    bool destReady = false;
    const bool failed = ForEachEntry(WithSeparator(source) + "*.*", [&](const Entry& e) {
        if (e.IsFolder() && e.path == destDir) return false;
        if (!destReady) {
            if (CheckFile(dest) && !CreateDirectoryA(dest, nullptr)) {
                error.Set(dest + kCreateFailed);
                return true;
            }
            destReady = true;
        }
        if (MoveFileA(e.path, destPrefix + e.name)) return false;
        error.Set(e.path);
        return true;
    });
    if (failed) return true;
    error.Set("");
    return false;
}

std::wstring Wide(const CString& s)
{
    const int n = MultiByteToWideChar(CP_ACP, 0, s, s.GetLength(), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    if (n) MultiByteToWideChar(CP_ACP, 0, s, s.GetLength(), &w[0], n);
    return w;
}

bool SameText(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// True when dest is source or lies inside it (compared as the file system
// compares names): the copy would then walk into itself.
bool InsideSource(const CString& dest, const CString& source)
{
    const CString d = FullPath(dest), s = FullPath(source);
    if (d.IsEmpty() || s.IsEmpty()) return false;
    const std::wstring dw = Wide(WithSeparator(d)), sw = Wide(WithSeparator(s));
    return dw.size() >= sw.size() && SameText(dw.substr(0, sw.size()), sw);
}

bool CopyTree(const CString& dest, const CString& source, const ErrorText& error, bool rename)
{
    const CString destPrefix = WithSeparator(dest);
    const CString sourcePrefix = WithSeparator(source);
    CString target = destPrefix + PathToFileName(sourcePrefix) + '\\';
    if (rename && !CheckFile(target)) target = SkipPathNum(target) + '\\';
    if (!CreateDirectoryA(target, nullptr)) {
        error.Set(dest + kCreateFailed);
        return true;
    }
    const bool failed = ForEachEntry(sourcePrefix + "*.*", [&](const Entry& e) {
        if (e.IsFolder()) return CopyTree(target, e.path, error, true);
        if (CopyFileA(e.path, target + e.name, TRUE)) return false;
        error.Set(sourcePrefix);
        return true;
    });
    if (failed) return true;
    error.Set("");
    return false;
}

} // namespace

bool DeleteDirectoryN(const char* const path, char* error, size_t size)
{
    return DeleteTree(Safe(path), ErrorText(error, size));
}

bool DeleteDirectory(const char* const path, const char* error)
{
    return DeleteDirectoryN(path, const_cast<char*>(error), kUnsizedErrorSize);
}

bool ClearDirectoryN(const char* const path, char* error, size_t size)
{
    return DeleteEntries(Safe(path), ErrorText(error, size));
}

bool ClearDirectory(const char* const path, const char* error)
{
    return ClearDirectoryN(path, const_cast<char*>(error), kUnsizedErrorSize);
}

bool MoveFilesN(const char* const source, const char* const dest, char* error, size_t size)
{
    const ErrorText text(error, size);
    // An empty source would be the pattern "\*.*": the root of the drive.
    if (!*Safe(source)) {
        text.Set("");
        return false;
    }
    return MoveAll(source, Safe(dest), text);
}

bool MoveFiles(const char* const source, const char* const dest, const char* error)
{
    return MoveFilesN(source, dest, const_cast<char*>(error), kUnsizedErrorSize);
}

bool CopyDirectoryN(const char* const dest, const char* const source, char* error, size_t size, bool rename)
{
    const ErrorText text(error, size);
    const CString destination(Safe(dest));
    if (InsideSource(destination, Safe(source))) {
        text.Set(destination + kInsideSource);
        return true;
    }
    if (CheckFile(destination) && !CreateDirectoryA(destination, nullptr)) {
        text.Set(destination + kNotAFolder);
        return true;
    }
    return CopyTree(destination, Safe(source), text, rename);
}

bool CopyDirectory(const char* const dest, const char* const source, const char* error, bool rename)
{
    return CopyDirectoryN(dest, source, const_cast<char*>(error), kUnsizedErrorSize, rename);
}
