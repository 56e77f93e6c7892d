#include "archiver/CentralDirectory.h"

#include "archiver/FaultPoints.h"
#include "archiver/ZipFormat.h"

#include <windows.h>
#include <zlib.h>

#include <algorithm>

using namespace zipfmt;

namespace {

const Status kNotZip = Status::Fail("the target is not a ZIP archive");

// Finds the extra field id in [extra, extra+size); body and its length out.
bool FindExtra(const char* extra, size_t size, uint16_t id, const char*& body, size_t& length)
{
    for (size_t at = 0; at + 4 <= size;) {
        const uint16_t fid = Get16(extra + at);
        const size_t len = Get16(extra + at + 2);
        if (at + 4 + len > size) return false;
        if (fid == id) {
            body = extra + at + 4;
            length = len;
            return true;
        }
        at += 4 + len;
    }
    return false;
}

// Position of the local-header offset inside the ZIP64 field of the record
// at 'at' in s, or 0.
size_t Zip64OffsetAt(const std::string& s, size_t at)
{
    const char* r = &s[at];
    const size_t nameLen = Get16(r + kCentralNameLen);
    const size_t extraLen = Get16(r + kCentralExtraLen);
    const char* body;
    size_t length;
    if (!FindExtra(r + kCentralSize + nameLen, extraLen, kExtraZip64, body, length)) return 0;
    size_t skip = 0;
    if (Get32(r + kCentralSize32) == kMax32) skip += 8;
    if (Get32(r + kCentralCompSize) == kMax32) skip += 8;
    if (skip + 8 > length) return 0;
    return size_t(body - s.data()) + skip;
}

void Widen(const char* s, size_t n, UINT codePage, std::wstring& out)
{
    bool ascii = true;
    for (size_t i = 0; i < n && ascii; ++i) ascii = static_cast<unsigned char>(s[i]) < 0x80;
    if (ascii) {
        out.assign(s, s + n);
        return;
    }
    out.resize(n);
    const int got = MultiByteToWideChar(codePage, 0, s, int(n), &out[0], int(n));
    if (got > 0) out.resize(size_t(got));
    else out.assign(s, s + n);
}

Status ParseRecords(uint64_t count, CentralDirectory& directory)
{
    const std::string& cd = directory.records;
    directory.entries.reserve(size_t(count));
    size_t at = 0;
    for (uint64_t i = 0; i < count; ++i) {
        if (at + kCentralSize > cd.size() || Get32(&cd[at]) != kCentralSig) return kNotZip;
        const char* r = &cd[at];
        const size_t total = kCentralSize + Get16(r + kCentralNameLen) + Get16(r + kCentralExtraLen) +
                             Get16(r + kCentralCommentLen);
        if (at + total > cd.size()) return kNotZip;
        if (Get16(r + kCentralDisk) != 0 && Get16(r + kCentralDisk) != kMax16)
            return Status::Fail("multi-part archives are not supported");
        ExistingEntry e;
        e.at = at;
        e.size = total;
        e.offset = Get32(r + kCentralOffset);
        if (e.offset == kMax32) {
            const size_t z = Zip64OffsetAt(cd, at);
            if (!z) return kNotZip;
            e.offset = Get64(&cd[z]);
        }
        if (e.offset >= directory.start) return kNotZip;
        directory.entries.push_back(e);
        at += total;
    }
    if (at != cd.size()) return kNotZip;
    return Status();
}

} // namespace

Status ReadCentralDirectory(OutputFile& file, CentralDirectory& directory)
{
    directory = CentralDirectory();
    const uint64_t size = file.Size();
    if (size < kEndSize) return kNotZip;
    const size_t window = size_t(std::min<uint64_t>(size, kEndSize + kMaxComment));
    std::string tail(window, '\0');
    ZIP_TRY(file.ReadAt(size - window, &tail[0], window));

    // The end record whose comment reaches exactly to the end of the file.
    size_t end = std::string::npos;
    for (size_t at = window - kEndSize + 1; at-- > 0;) {
        if (Get32(&tail[at]) == kEndSig && at + kEndSize + Get16(&tail[at + 20]) == window) {
            end = at;
            break;
        }
    }
    if (end == std::string::npos) return kNotZip;
    const uint64_t endPos = size - window + end;
    const char* e = &tail[end];
    directory.comment = tail.substr(end + kEndSize);
    uint64_t count = Get16(e + 10);
    uint64_t cdSize = Get32(e + 12);
    uint64_t cdOffset = Get32(e + 16);
    uint64_t cdEnd = endPos;
    if (Get16(e + 4) != 0 || Get16(e + 6) != 0) {
        if (Get16(e + 4) != kMax16) return Status::Fail("multi-part archives are not supported");
    }

    if (endPos >= kEnd64LocatorSize) {
        char locator[kEnd64LocatorSize];
        ZIP_TRY(file.ReadAt(endPos - kEnd64LocatorSize, locator, sizeof locator));
        if (Get32(locator) == kEnd64LocatorSig) {
            const uint64_t at = Get64(locator + 8);
            char rec[kEnd64Size];
            if (at + kEnd64Size > endPos - kEnd64LocatorSize) return kNotZip;
            ZIP_TRY(file.ReadAt(at, rec, sizeof rec));
            if (Get32(rec) != kEnd64Sig) return kNotZip;
            if (Get32(rec + 16) != 0 || Get32(rec + 20) != 0) return Status::Fail("multi-part archives are not supported");
            count = Get64(rec + 32);
            cdSize = Get64(rec + 40);
            cdOffset = Get64(rec + 48);
            cdEnd = at;
        }
    }
    if (cdOffset + cdSize != cdEnd || cdSize > (1u << 30) || count > cdSize / kCentralSize)
        return kNotZip;
    directory.start = cdOffset;
    directory.records.resize(size_t(cdSize));
    if (cdSize) ZIP_TRY(file.ReadAt(cdOffset, &directory.records[0], directory.records.size()));
    return ParseRecords(count, directory);
}

void CentralDirectory::Name(const ExistingEntry& e, std::wstring& name) const
{
    const char* r = &records[e.at];
    const size_t nameLen = Get16(r + kCentralNameLen);
    const char* stored = r + kCentralSize;
    const char* body;
    size_t length;
    if (Get16(r + kCentralFlags) & kFlagUtf8) {
        Widen(stored, nameLen, CP_UTF8, name);
    } else if (FindExtra(stored + nameLen, Get16(r + kCentralExtraLen), kExtraUnicodePath, body, length) &&
               length >= 5 && body[0] == 1 &&
               Get32(body + 1) == uint32_t(crc32(0, reinterpret_cast<const Bytef*>(stored), uInt(nameLen)))) {
        Widen(body + 5, length - 5, CP_UTF8, name);
    } else {
        Widen(stored, nameLen, CP_ACP, name);
    }
}

bool SetRecordOffset(std::string& record, uint64_t offset)
{
    if (Get32(&record[kCentralOffset]) == kMax32) {
        const size_t z = Zip64OffsetAt(record, 0);
        if (!z) return false;
        for (int i = 0; i < 8; ++i) record[z + i] = char((offset >> (8 * i)) & 0xFF);
        return true;
    }
    if (offset >= kMax32) return false;
    Set32(record, kCentralOffset, uint32_t(offset));
    return true;
}

Status WriteCentralDirectory(OutputFile& file, const std::string& oldRecords, uint64_t oldCount,
                             const std::vector<EntryRecord>& newRecords, const std::string& comment)
{
    if (fault::Hit("directory")) return Status::Fail("writing the archive: disk full");
    const uint64_t start = file.Position();
    ZIP_TRY(file.Write(oldRecords));
    for (const EntryRecord& r : newRecords) ZIP_TRY(file.Write(CentralRecord(r)));
    const uint64_t end = file.Position();
    const uint64_t count = oldCount + newRecords.size();
    const uint64_t size = end - start;
    const bool zip64 = count >= kMax16 || size >= kMax32 || start >= kMax32;

    std::string s;
    if (zip64) {
        Put32(s, kEnd64Sig);
        Put64(s, kEnd64Size - 12);
        Put16(s, uint16_t(kHostDos << 8 | kVersionZip64));
        Put16(s, kVersionZip64);
        Put32(s, 0);
        Put32(s, 0);
        Put64(s, count);
        Put64(s, count);
        Put64(s, size);
        Put64(s, start);
        Put32(s, kEnd64LocatorSig);
        Put32(s, 0);
        Put64(s, end);
        Put32(s, 1);
    }
    Put32(s, kEndSig);
    Put16(s, 0);
    Put16(s, 0);
    Put16(s, count >= kMax16 ? kMax16 : uint16_t(count));
    Put16(s, count >= kMax16 ? kMax16 : uint16_t(count));
    Put32(s, size >= kMax32 ? kMax32 : uint32_t(size));
    Put32(s, start >= kMax32 ? kMax32 : uint32_t(start));
    Put16(s, uint16_t(comment.size()));
    s += comment;
    return file.Write(s);
}
