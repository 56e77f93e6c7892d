#pragma once
// Walks the items to pack: each item relative to the base folder, folders
// recursed on request, in a stable order (a folder before what it holds,
// names sorted), hidden and system files skipped unless asked for.

#include "archiver/Status.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct SourceEntry {
    std::wstring name;   // entry name: relative to the base, '/' separated, folders end in '/'
    bool folder = false;
    DWORD attributes = 0;
    FILETIME modified{};
    uint64_t size = 0;   // as seen while walking; files are checked again when read
};

struct WalkOptions {
    bool recurse = false;
    bool includeHidden = false;
    std::wstring skipPath;  // full path never packed (the archive itself)
};

// Appends the entries of one item. Fails when the item is missing, names a
// place outside the base, or a folder cannot be listed.
Status CollectEntries(const std::wstring& base, const std::wstring& item, const WalkOptions& options,
                      std::vector<SourceEntry>& entries);

// Full path in the form the file functions take at any length.
std::wstring LongPath(const std::wstring& path);
// The base folder in that form, ending in a backslash ("" is the current folder).
std::wstring LongFolder(const std::wstring& base);
// Where an entry's source is: the long base folder and the entry name.
std::wstring SourcePath(const std::wstring& longBase, const SourceEntry& entry);

// Case-insensitive equality of names, as the file system sees them.
bool SameName(const std::wstring& a, const std::wstring& b);
// A key equal for names SameName takes as one (for hashing).
std::wstring NameKey(const std::wstring& name);
void MakeNameKey(std::wstring& name);  // in place
