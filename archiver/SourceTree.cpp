#include "archiver/SourceTree.h"

#include "archiver/AnsiText.h"

#include <algorithm>

namespace {

constexpr DWORD kHiddenOrSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

bool IsHidden(DWORD attributes) { return (attributes & kHiddenOrSystem) != 0; }

std::string Narrow(const std::wstring& s)
{
    std::string out;
    if (!ansi::FromWide(s, out)) out = ansi::ToUtf8(s);
    return out;
}

// What a listing keeps of each name (the find data itself is large).
struct Listed {
    std::wstring name;
    DWORD attributes;
    FILETIME modified;
    uint64_t size;
};

Status ListFolder(const std::wstring& folder, std::vector<Listed>& listed)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND) return Status();
        return Status::Fail("cannot list folder " + Narrow(folder));
    }
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        listed.push_back({name, data.dwFileAttributes, data.ftLastWriteTime,
                          (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow});
    } while (FindNextFileW(find, &data));
    const DWORD error = GetLastError();
    FindClose(find);
    if (error != ERROR_NO_MORE_FILES) return Status::Fail("cannot list folder " + Narrow(folder));
    std::sort(listed.begin(), listed.end(), [](const Listed& a, const Listed& b) {
        return CompareStringOrdinal(a.name.c_str(), -1, b.name.c_str(), -1, TRUE) == CSTR_LESS_THAN;
    });
    return Status();
}

class Walker {
public:
    Walker(const WalkOptions& options, std::vector<SourceEntry>& entries) : m_options(options), m_entries(entries) {}

    void AddFile(const std::wstring& path, const std::wstring& name, DWORD attributes, FILETIME modified, uint64_t size)
    {
        if (!m_options.skipPath.empty() && SameName(path, m_options.skipPath)) return;
        SourceEntry e;
        e.name = name;
        e.attributes = attributes;
        e.modified = modified;
        e.size = size;
        m_entries.push_back(std::move(e));
    }

    Status AddFolder(const std::wstring& path, const std::wstring& name, DWORD attributes, FILETIME modified)
    {
        SourceEntry e;
        e.name = name + L"/";
        e.folder = true;
        e.attributes = attributes;
        e.modified = modified;
        m_entries.push_back(e);
        // A junction or link to a folder is kept as an empty folder: following
        // it could leave the item or loop forever.
        if (!m_options.recurse || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return Status();

        std::vector<Listed> listed;
        ZIP_TRY(ListFolder(path, listed));
        listed.shrink_to_fit();
        for (const Listed& l : listed) {
            const DWORD a = l.attributes;
            if (IsHidden(a) && !m_options.includeHidden) continue;
            const std::wstring childPath = path + L"\\" + l.name;
            const std::wstring childName = name + L"/" + l.name;
            if (a & FILE_ATTRIBUTE_DIRECTORY) {
                ZIP_TRY(AddFolder(childPath, childName, a, l.modified));
            } else {
                AddFile(childPath, childName, a, l.modified, l.size);
            }
        }
        return Status();
    }

private:
    const WalkOptions& m_options;
    std::vector<SourceEntry>& m_entries;
};

} // namespace

bool SameName(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), TRUE) == CSTR_EQUAL;
}

void MakeNameKey(std::wstring& key)
{
    bool ascii = true;
    for (wchar_t& c : key) {
        if (c >= L'a' && c <= L'z') c = wchar_t(c - L'a' + L'A');
        ascii = ascii && c < 0x80;
    }
    if (!ascii) {
        const std::wstring name = key;
        LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, name.data(), int(name.size()), &key[0], int(key.size()));
    }
}

std::wstring NameKey(const std::wstring& name)
{
    std::wstring key = name;
    MakeNameKey(key);
    return key;
}

std::wstring LongFolder(const std::wstring& base)
{
    std::wstring folder = LongPath(base.empty() ? L".\\" : base);
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    return folder;
}

std::wstring SourcePath(const std::wstring& longBase, const SourceEntry& entry)
{
    std::wstring path = longBase + entry.name;
    if (!path.empty() && path.back() == L'/') path.pop_back();
    for (size_t i = longBase.size(); i < path.size(); ++i)
        if (path[i] == L'/') path[i] = L'\\';
    return path;
}

std::wstring LongPath(const std::wstring& path)
{
    DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return path;
    std::wstring full(n, L'\0');
    n = GetFullPathNameW(path.c_str(), n, &full[0], nullptr);
    full.resize(n);
    if (full.compare(0, 4, L"\\\\?\\") == 0) return full;
    if (full.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

Status CollectEntries(const std::wstring& base, const std::wstring& item, const WalkOptions& options,
                      std::vector<SourceEntry>& entries)
{
    // The item names a place below the base: no drive, no root, no "..".
    std::wstring name = item;
    while (!name.empty() && (name.back() == L'\\' || name.back() == L'/')) name.pop_back();
    for (wchar_t& c : name)
        if (c == L'/') c = L'\\';
    if (name.empty() || name[0] == L'\\' || name.find(L':') != std::wstring::npos)
        return Status::Fail("item must be a name inside the base folder: " + Narrow(item));
    for (size_t start = 0;;) {
        const size_t end = name.find(L'\\', start);
        const std::wstring part = name.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        if (part.empty() || part == L"." || part == L"..")
            return Status::Fail("item must be a name inside the base folder: " + Narrow(item));
        if (end == std::wstring::npos) break;
        start = end + 1;
    }

    std::wstring folder = base;
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    const std::wstring path = LongFolder(base) + name;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return Status::Fail("not found: " + Narrow(folder + name));

    std::wstring entryName = name;
    for (wchar_t& c : entryName)
        if (c == L'\\') c = L'/';
    if (IsHidden(data.dwFileAttributes) && !options.includeHidden)
        return Status::Fail("hidden or system item skipped (use -S): " + Narrow(name));

    Walker walker(options, entries);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return walker.AddFolder(path, entryName, data.dwFileAttributes, data.ftLastWriteTime);
    walker.AddFile(path, entryName, data.dwFileAttributes, data.ftLastWriteTime,
                   (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
    return Status();
}
