#pragma once
// Text in the ANSI code page (932 on Japanese Windows): whole-character
// walking, so a trail byte 0x5C (表, ソ, 能) never passes for a backslash, and
// conversions to UTF-16 and UTF-8.

#include <string>

namespace ansi {

// Byte length of the character at p (1 or 2); 0 at the terminator.
int CharLen(const char* p);

// True when the last whole character of s is a backslash.
bool EndsWithBackslash(const std::string& s);

// UTF-16 of ANSI text; false when it is not valid in the code page.
bool ToWide(const std::string& s, std::wstring& out);

// ANSI form of a UTF-16 name; false when some character has none.
bool FromWide(const std::wstring& s, std::string& out);

std::string ToUtf8(const std::wstring& s);

// At most limit bytes of s, never ending in half a character.
std::string Clip(const std::string& s, size_t limit);

} // namespace ansi
