#include "archiver/ZipCrypto.h"

#include "archiver/ZipFormat.h"

#include <windows.h>
#include <ntsecapi.h>
#include <zlib.h>

namespace {

const z_crc_t* CrcTable() { return get_crc_table(); }

inline uint32_t CrcByte(uint32_t crc, uint8_t b) { return CrcTable()[(crc ^ b) & 0xFF] ^ (crc >> 8); }

} // namespace

ZipCrypto::ZipCrypto(const std::string& password)
{
    m_keys[0] = 0x12345678;
    m_keys[1] = 0x23456789;
    m_keys[2] = 0x34567890;
    for (unsigned char c : password) Update(c);
}

uint8_t ZipCrypto::Mask() const
{
    const uint16_t t = uint16_t(m_keys[2] | 2);
    return uint8_t((t * (t ^ 1)) >> 8);
}

void ZipCrypto::Update(uint8_t plain)
{
    m_keys[0] = CrcByte(m_keys[0], plain);
    m_keys[1] = (m_keys[1] + (m_keys[0] & 0xFF)) * 134775813u + 1;
    m_keys[2] = CrcByte(m_keys[2], uint8_t(m_keys[1] >> 24));
}

void ZipCrypto::Encrypt(char* data, size_t size)
{
    for (size_t i = 0; i < size; ++i) {
        const uint8_t plain = uint8_t(data[i]);
        data[i] = char(plain ^ Mask());
        Update(plain);
    }
}

Status ZipCrypto::Header(uint8_t check, std::string& header)
{
    header.assign(zipfmt::kEncryptionHeader, '\0');
    ZIP_TRY(RandomBytes(&header[0], header.size() - 1));
    header.back() = char(check);
    Encrypt(&header[0], header.size());
    return Status();
}

Status RandomBytes(void* buffer, size_t size)
{
    // The system's generator without the weight of a crypto provider: loading
    // one on every call would cost more than a small append.
    if (!RtlGenRandom(buffer, ULONG(size))) return Status::Fail("no random numbers for the encryption header");
    return Status();
}
