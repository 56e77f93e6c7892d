#pragma once
// The paths to pack, taken from the program's command line.

#include <windows.h>

#include "framework/CString.h"

#include <vector>

// Why a command line gives nothing to pack.
enum class CommandLineProblem {
    None,
    NoItems,        // only empty arguments ("")
    TooLong,        // an argument over kMaxItemPath bytes
    NotInCodePage,  // an argument with characters the ANSI code page lacks
};

// Longest item, in bytes of the ANSI code page (a path buffer of MAX_PATH).
constexpr int kMaxItemPath = MAX_PATH - 1;

// Splits line (the whole command line, program path first) as Windows splits
// any program's arguments: blanks separate, double quotes group and are
// removed, 2n backslashes before a quote give n. The split works on the wide
// text, so a quote after the trail byte 0x5C of 表 still closes its
// argument. Every argument after the program path becomes one item in the
// ANSI code page, in order; empty arguments name nothing and are skipped.
// An argument that is too long or would need a look-alike character (é as
// e) is refused whole, never cut or changed: bad then holds it.
CommandLineProblem SplitCommandLine(const wchar_t* line, std::vector<CString>& items, CString& bad);

// The message for a problem: error icon, application title.
void ReportCommandLineProblem(HWND owner, CommandLineProblem problem, const char* bad);
