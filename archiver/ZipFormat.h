#pragma once
// The ZIP layout written and read here: signatures, fixed sizes, flag bits and
// extra-field ids, each named once. All fields are little-endian.

#include <cstdint>
#include <string>

namespace zipfmt {

constexpr uint32_t kLocalSig = 0x04034b50;
constexpr uint32_t kCentralSig = 0x02014b50;
constexpr uint32_t kEndSig = 0x06054b50;
constexpr uint32_t kEnd64Sig = 0x06064b50;
constexpr uint32_t kEnd64LocatorSig = 0x07064b50;
constexpr uint32_t kDescriptorSig = 0x08074b50;

// Fixed parts, before the variable name, extra and comment.
constexpr size_t kLocalSize = 30;
constexpr size_t kCentralSize = 46;
constexpr size_t kEndSize = 22;
constexpr size_t kEnd64Size = 56;
constexpr size_t kEnd64LocatorSize = 20;
constexpr size_t kMaxComment = 0xFFFF;

// Offsets inside the fixed parts.
constexpr size_t kLocalFlags = 6, kLocalMethod = 8, kLocalCrc = 14, kLocalNameLen = 26, kLocalExtraLen = 28;
constexpr size_t kCentralFlags = 8, kCentralCrc = 16, kCentralCompSize = 20, kCentralSize32 = 24,
                 kCentralNameLen = 28, kCentralExtraLen = 30, kCentralCommentLen = 32, kCentralDisk = 34,
                 kCentralOffset = 42;

constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint16_t kFlagDescriptor = 0x0008;  // CRC and sizes follow the data
constexpr uint16_t kFlagUtf8 = 0x0800;

constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflated = 8;

constexpr uint16_t kVersionDefault = 20;  // deflate, folders, traditional encryption
constexpr uint16_t kVersionZip64 = 45;
constexpr uint16_t kHostDos = 0;          // external attributes are DOS attributes

constexpr uint16_t kExtraZip64 = 0x0001;
constexpr uint16_t kExtraTimestamp = 0x5455;   // UTC modification time
constexpr uint16_t kExtraUnicodePath = 0x7075; // UTF-8 name, tied to the stored name by CRC

constexpr uint32_t kMax32 = 0xFFFFFFFFu;
constexpr uint16_t kMax16 = 0xFFFFu;

constexpr size_t kEncryptionHeader = 12;

inline void Put16(std::string& s, uint16_t v) { s += char(v & 0xFF); s += char(v >> 8); }
inline void Put32(std::string& s, uint32_t v) { Put16(s, uint16_t(v)); Put16(s, uint16_t(v >> 16)); }
inline void Put64(std::string& s, uint64_t v) { Put32(s, uint32_t(v)); Put32(s, uint32_t(v >> 32)); }

inline uint16_t Get16(const void* p)
{
    auto b = static_cast<const unsigned char*>(p);
    return uint16_t(b[0] | b[1] << 8);
}
inline uint32_t Get32(const void* p)
{
    auto b = static_cast<const unsigned char*>(p);
    return uint32_t(Get16(b)) | uint32_t(Get16(b + 2)) << 16;
}
inline uint64_t Get64(const void* p)
{
    auto b = static_cast<const unsigned char*>(p);
    return uint64_t(Get32(b)) | uint64_t(Get32(b + 4)) << 32;
}
inline void Set32(std::string& s, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) s[at + i] = char((v >> (8 * i)) & 0xFF);
}
inline void Set16(std::string& s, size_t at, uint16_t v)
{
    s[at] = char(v & 0xFF);
    s[at + 1] = char(v >> 8);
}

} // namespace zipfmt
