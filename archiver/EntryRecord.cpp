#include "archiver/EntryRecord.h"

#include "archiver/AnsiText.h"
#include "archiver/ZipFormat.h"

#include <zlib.h>

using namespace zipfmt;

namespace {

std::string Extra(uint16_t id, const std::string& body)
{
    std::string s;
    Put16(s, id);
    Put16(s, uint16_t(body.size()));
    return s + body;
}

std::string CommonExtras(const EntryRecord& e)
{
    std::string s;
    if (e.hasUnixTime) {
        std::string body(1, '\x01');  // modification time only
        Put32(body, uint32_t(e.unixTime));
        s += Extra(kExtraTimestamp, body);
    }
    if (!e.unicodeName.empty()) {
        std::string body(1, '\x01');
        Put32(body, uint32_t(crc32(0, reinterpret_cast<const Bytef*>(e.name.data()), uInt(e.name.size()))));
        body += e.unicodeName;
        s += Extra(kExtraUnicodePath, body);
    }
    return s;
}

bool CentralNeedsSizes64(const EntryRecord& e) { return e.large || e.size >= kMax32 || e.compressedSize >= kMax32; }

} // namespace

void SetEntryName(EntryRecord& e, const std::wstring& name)
{
    bool ascii = true;
    for (wchar_t c : name) ascii = ascii && c < 0x80;
    e.unicodeName.clear();
    e.flags &= ~kFlagUtf8;
    if (ascii) {
        e.name.assign(name.begin(), name.end());
    } else if (ansi::FromWide(name, e.name)) {
        e.unicodeName = ansi::ToUtf8(name);
    } else {
        // No ANSI form: the exact name in UTF-8, flagged as such.
        e.name = ansi::ToUtf8(name);
        e.flags |= kFlagUtf8;
    }
}

std::string LocalHeader(const EntryRecord& e)
{
    const bool descriptor = (e.flags & kFlagDescriptor) != 0;
    std::string extra;
    if (e.large) {
        std::string body;
        Put64(body, descriptor ? 0 : e.size);
        Put64(body, descriptor ? 0 : e.compressedSize);
        extra = Extra(kExtraZip64, body);
    }
    extra += CommonExtras(e);

    std::string s;
    Put32(s, kLocalSig);
    Put16(s, e.large ? kVersionZip64 : kVersionDefault);
    Put16(s, e.flags);
    Put16(s, e.method);
    Put16(s, e.dosTime);
    Put16(s, e.dosDate);
    Put32(s, descriptor ? 0 : e.crc);
    Put32(s, e.large ? kMax32 : descriptor ? 0 : uint32_t(e.compressedSize));
    Put32(s, e.large ? kMax32 : descriptor ? 0 : uint32_t(e.size));
    Put16(s, uint16_t(e.name.size()));
    Put16(s, uint16_t(extra.size()));
    return s + e.name + extra;
}

std::string CentralRecord(const EntryRecord& e)
{
    const bool sizes64 = CentralNeedsSizes64(e);
    const bool offset64 = e.offset >= kMax32;
    std::string extra;
    if (sizes64 || offset64) {
        std::string body;
        if (sizes64) {
            Put64(body, e.size);
            Put64(body, e.compressedSize);
        }
        if (offset64) Put64(body, e.offset);
        extra = Extra(kExtraZip64, body);
    }
    extra += CommonExtras(e);

    const uint16_t needed = (sizes64 || offset64) ? kVersionZip64 : kVersionDefault;
    std::string s;
    Put32(s, kCentralSig);
    Put16(s, uint16_t(kHostDos << 8 | kVersionZip64));
    Put16(s, needed);
    Put16(s, e.flags);
    Put16(s, e.method);
    Put16(s, e.dosTime);
    Put16(s, e.dosDate);
    Put32(s, e.crc);
    Put32(s, sizes64 ? kMax32 : uint32_t(e.compressedSize));
    Put32(s, sizes64 ? kMax32 : uint32_t(e.size));
    Put16(s, uint16_t(e.name.size()));
    Put16(s, uint16_t(extra.size()));
    Put16(s, 0);  // comment
    Put16(s, 0);  // disk
    Put16(s, 0);  // internal attributes
    Put32(s, e.attributes);
    Put32(s, offset64 ? kMax32 : uint32_t(e.offset));
    return s + e.name + extra;
}

std::string DataDescriptor(const EntryRecord& e)
{
    std::string s;
    Put32(s, kDescriptorSig);
    Put32(s, e.crc);
    if (e.large) {
        Put64(s, e.compressedSize);
        Put64(s, e.size);
    } else {
        Put32(s, uint32_t(e.compressedSize));
        Put32(s, uint32_t(e.size));
    }
    return s;
}
