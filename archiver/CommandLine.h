#pragma once
// The archiver command line: options, then the archive, the base folder and
// the items, e.g.  -qrSP "pa ss" "D:\out\a.zip" "E:\data\" "photos"
//
// Words are split at blanks and tabs outside double quotes; inside quotes a
// doubled quote stands for one. A quoted word is never an option. Backslashes
// are plain characters everywhere. Options: -q quiet, -r recurse into
// folders, -S hidden and system files too, -P password (the next word, or the
// rest of the same word); letters may be grouped (-qrS) or separate.

#include "archiver/Status.h"

#include <string>
#include <vector>

struct ZipCommand {
    bool quiet = false;
    bool recurse = false;
    bool includeHidden = false;
    bool encrypt = false;
    std::string password;            // ANSI bytes, as typed
    std::string archive;             // ANSI path
    std::string base;                // ANSI folder, "" or ending in a backslash
    std::vector<std::string> items;  // relative to base
};

Status ParseCommand(const char* line, ZipCommand& command);
