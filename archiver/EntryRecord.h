#pragma once
// What the archive records about one entry, and the bytes of its local
// header, central record and data descriptor.

#include <cstdint>
#include <string>

struct EntryRecord {
    std::string name;            // stored bytes: ANSI, or UTF-8 with the flag
    std::string unicodeName;     // UTF-8 for the Unicode Path field; "" for plain ASCII names
    uint16_t flags = 0;
    uint16_t method = 0;
    uint16_t dosTime = 0, dosDate = 0;
    bool hasUnixTime = false;
    int32_t unixTime = 0;
    uint32_t crc = 0;
    uint64_t compressedSize = 0;  // with the encryption header
    uint64_t size = 0;
    uint64_t offset = 0;          // of the local header
    uint32_t attributes = 0;      // DOS attributes
    bool large = false;           // sizes may pass 4 GiB: ZIP64 sizes in the local header
};

// Local header; with the descriptor flag CRC and sizes are left zero.
std::string LocalHeader(const EntryRecord& e);
std::string CentralRecord(const EntryRecord& e);
// CRC and sizes after the data, for entries with the descriptor flag.
std::string DataDescriptor(const EntryRecord& e);

// Sets name, unicodeName and the UTF-8 flag from a UTF-16 entry name.
void SetEntryName(EntryRecord& e, const std::wstring& name);
