#include "lib/PathFunc.h"

#include "framework/CFile.h"
#include "framework/CFileFind.h"
#include "framework/Mbcs.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* Safe(const char* s) { return s ? s : ""; }

// A final separator is a whole '\' character: the trail byte of 表 or ソ at
// the end of a name is part of the name, not a separator.
bool EndsWithSeparator(const CString& s) { return mbcs::EndsWithChar(s, s.GetLength(), '\\'); }

CString DropSeparator(const CString& s) { return EndsWithSeparator(s) ? s.Left(s.GetLength() - 1) : s; }

} // namespace

CString PathToDir(const char* const path) { return DropSeparator(Safe(path)); }

CString DirToPath(const char* const dir)
{
    CString s(Safe(dir));
    if (!s.IsEmpty() && !EndsWithSeparator(s)) s += '\\';
    return s;
}

CString PathToFileName(const char* const path)
{
    const CString s = PathToDir(path);
    return s.Mid(s.ReverseFind('\\') + 1);
}

CString PathToFileTitle(const char* const path)
{
    const CString name = PathToFileName(path);
    const int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Left(dot) : name;
}

namespace {
// The folder that holds the item, with (Path) or without (Dir) its final
// separator; a bare name comes back unchanged.
CString HoldingFolder(const char* path, bool withSeparator)
{
    const CString s = PathToDir(path);
    const int slash = s.ReverseFind('\\');
    return slash >= 0 ? s.Left(slash + (withSeparator ? 1 : 0)) : s;
}
} // namespace

CString PathToDirectoryPath(const char* const path) { return HoldingFolder(path, true); }

CString PathToDirectoryDir(const char* const path) { return HoldingFolder(path, false); }

CString GetParentDirectoryName(const char* const path)
{
    const CString s = PathToDir(path);
    const int slash = s.ReverseFind('\\');
    if (slash < 0) return CString();
    const CString holder = s.Left(slash);
    const int up = holder.ReverseFind('\\');
    return up >= 0 ? holder.Mid(up + 1) : CString();
}

CString PathToDriveName(const char* const path)
{
    const CString s(Safe(path));
    const int colon = s.Find(':');
    return colon >= 0 ? s.Left(colon) : CString();
}

void PathToFileExtention(const char* const path, const char* result)
{
    const CString s(Safe(path));
    PathToFileExtentionN(path, const_cast<char*>(result), static_cast<size_t>(s.GetLength()) + 1);
}

void PathToFileExtentionN(const char* const path, char* result, size_t size)
{
    if (!result || size == 0) return;
    const CString s(Safe(path));
    const int dot = s.ReverseFind('.');
    const CString ext = dot >= 0 ? s.Mid(dot) : CString();
    const size_t n = std::min(static_cast<size_t>(ext.GetLength()), size - 1);
    std::memcpy(result, ext.c_str(), n);
    result[n] = '\0';
}

CString SkipPathNum(const char* const path)
{
    const CString whole(Safe(path));
    if (whole.IsEmpty()) return CString();
    const CString s = DropSeparator(whole);
    CString folder, name;
    const int slash = s.ReverseFind('\\');
    if (slash >= 0) {
        folder = s.Left(slash + 1);
        name = s.Mid(slash + 1);
    } else {
        name = whole;
    }
    CString ext;
    const int dot = name.ReverseFind('.');
    if (dot >= 0) {
        ext = name.Mid(dot);
        name = name.Left(dot);
    }
    int counter = 0;
    const int tilde = name.ReverseFind('~');
    if (tilde >= 0) {
        counter = std::atoi(name.Mid(tilde + 1));
        name = name.Left(tilde + 1);
    } else {
        name += '~';
    }
    // The whole result is formed, however long: a cut name would point at
    // some other file.
    CString result;
    result.Format("%s%s%i%s", folder.c_str(), name.c_str(), counter + 1, ext.c_str());
    return result;
}

bool CheckFile(const char* const path)
{
    CFileStatus status;
    return !CFile::GetStatus(PathToDir(path), status);
}

bool FileInDirectory(const char* const dir)
{
    CFileFind find;
    BOOL more = find.FindFile(DirToPath(dir) + "*.*");
    if (!more) return false;
    while (more) {
        more = find.FindNextFile();
        if (!find.IsDots()) return true;
    }
    return false;
}

CString GetLastErrorString()
{
    const DWORD code = GetLastError();
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                   reinterpret_cast<char*>(&text), 0, nullptr);
    CString result = (n && text) ? CString(text, static_cast<int>(n)) : CString();
    if (text) LocalFree(text);
    return result;
}
