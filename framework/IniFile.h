#pragma once
// Reads and writes keys of an INI file. A write replaces the file only once
// its new text is completely on disk (written beside it, then renamed over
// it), so a failure never leaves a half-written settings file.

#include "framework/CString.h"

namespace ini {

// The value of key in section; def when the file, section or key is missing.
CString ReadString(const char* file, const char* section, const char* key, const char* def);

// The value as a decimal integer; def when missing or not a number.
int ReadInt(const char* file, const char* section, const char* key, int def);

// Sets key in section (added when missing), keeping every other line as it
// was. value == nullptr removes the key. FALSE when the file was not replaced.
BOOL WriteString(const char* file, const char* section, const char* key, const char* value);

// Replaces path with data, atomically; FALSE (and path untouched) on failure.
BOOL ReplaceFileContents(const char* path, const void* data, size_t size);

} // namespace ini
