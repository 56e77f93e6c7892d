#pragma once
// The central directory: read from an archive being added to (its records
// kept as raw bytes, copied back unchanged), and written with the end
// records, in ZIP64 form when counts or offsets need it.

#include "archiver/EntryRecord.h"
#include "archiver/OutputFile.h"
#include "archiver/Status.h"

#include <cstdint>
#include <string>
#include <vector>

struct ExistingEntry {
    size_t at = 0, size = 0;  // the central record, inside CentralDirectory::records
    uint64_t offset = 0;      // of the local header
};

struct CentralDirectory {
    uint64_t start = 0;   // first byte of the central directory: new entries go here
    std::string comment;
    std::string records;  // all central records, as found
    std::vector<ExistingEntry> entries;

    std::string Record(const ExistingEntry& e) const { return records.substr(e.at, e.size); }
    // The entry's name as its readers see it (into a reused buffer).
    void Name(const ExistingEntry& e, std::wstring& name) const;
};

// Fails on anything that is not a plain, single-part ZIP archive whose
// central directory directly follows the entries.
Status ReadCentralDirectory(OutputFile& file, CentralDirectory& directory);

// Writes the old records (raw, count of them), then the new ones, then the end records.
Status WriteCentralDirectory(OutputFile& file, const std::string& oldRecords, uint64_t oldCount,
                             const std::vector<EntryRecord>& newRecords, const std::string& comment);

// Moves a raw central record's local-header offset (ZIP64 field included).
bool SetRecordOffset(std::string& record, uint64_t offset);
