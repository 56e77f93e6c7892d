#pragma once
// Character walking in the ANSI code page. Every search in the framework and
// the library goes through here, so a trail byte (0x5C in 表) never passes
// for a backslash.

namespace mbcs {

// True when b starts a double-byte character in the ANSI code page.
bool IsLead(unsigned char b);

// Byte length of the character at p: 2 for a complete double-byte character,
// else 1 (a lead byte right before the terminator counts alone). 0 at the end.
inline int CharLen(const char* p)
{
    if (*p == '\0') return 0;
    return (IsLead(static_cast<unsigned char>(*p)) && p[1] != '\0') ? 2 : 1;
}

inline const char* Next(const char* p) { return p + CharLen(p); }

// Like CharLen, but never 0: used to step through counted text.
inline int Step(const char* p) { return (IsLead(static_cast<unsigned char>(*p)) && p[1] != '\0') ? 2 : 1; }

// Index of the first / last character equal to the single-byte ch, or -1.
int FindChar(const char* s, int len, char ch, int start = 0);
int ReverseFindChar(const char* s, int len, char ch);

// Index of the first occurrence of sub that starts on a character boundary.
int FindString(const char* s, int len, const char* sub, int start = 0);

// True when the last whole character of s is ch (false for a trail byte).
bool EndsWithChar(const char* s, int len, char ch);

} // namespace mbcs
