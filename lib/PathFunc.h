#pragma once
// Path functions of Hobrin.dll. Paths are code page 932 text with '\' as the
// only separator; every search walks whole characters. A null pointer is the
// empty string. "Dir" form has no final '\', "Path" form has one.

#include "framework/CString.h"
#include "lib/HobrinApi.h"

// The path with one final '\' dropped.
HOBRIN_API CString PathToDir(const char* const path);
// The folder with a final '\' (empty stays empty).
HOBRIN_API CString DirToPath(const char* const dir);
// Last component (a final '\' ignored).
HOBRIN_API CString PathToFileName(const char* const path);
// Last component without its last ".ext".
HOBRIN_API CString PathToFileTitle(const char* const path);
// Folder holding the item, with its final '\'; a bare name comes back unchanged.
HOBRIN_API CString PathToDirectoryPath(const char* const path);
// As PathToDirectoryPath, without the final '\'.
HOBRIN_API CString PathToDirectoryDir(const char* const path);
// Name of the folder that holds the item; empty under a drive root or bare name.
HOBRIN_API CString GetParentDirectoryName(const char* const path);
// Text before the first ':' ("C" for C:\dir); empty without a colon.
HOBRIN_API CString PathToDriveName(const char* const path);
// Writes the text from the last '.' of the whole path (or "") into result,
// which must hold strlen(path) + 1 bytes.
HOBRIN_API void PathToFileExtention(const char* const path, const char* result);
// As above, never writing more than size bytes (the text is cut to fit).
HOBRIN_API void PathToFileExtentionN(const char* const path, char* result, size_t size);
// Next numbered variant: file.txt -> file~1.txt -> file~2.txt.
HOBRIN_API CString SkipPathNum(const char* const path);
// true when nothing exists at path (the name is free).
HOBRIN_API bool CheckFile(const char* const path);
// true when the folder holds any entry besides "." and "..".
HOBRIN_API bool FileInDirectory(const char* const dir);
// System text of the calling thread's last error, or "".
HOBRIN_API CString GetLastErrorString();
