#pragma once
// One archiver call from start to end, so that nothing is ever lost:
//  - a new archive is written under a temporary name beside it and renamed
//    into place only when complete;
//  - adding to an archive writes the new entries where its central directory
//    began and a new directory after them. The old directory and length are
//    saved first in a rollback file beside the archive (flushed to disk), so
//    any failure puts them back byte for byte; a call cut off by a crash is
//    rolled back by the next call on that archive;
//  - when a new entry replaces one already there, the archive is copied
//    (entries as they are, never recompressed) to a temporary file that then
//    replaces it, so no dead data stays behind.

#include "archiver/CommandLine.h"
#include "archiver/Status.h"

#include <string>

// Runs the command; summary says what was done.
Status UpdateArchive(const ZipCommand& command, std::string& summary);
