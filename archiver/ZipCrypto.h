#pragma once
// Traditional PKWARE encryption, the kind every unzip and Explorer open.
// A byte stream cipher keyed by the password: encrypt in archive order.

#include "archiver/Status.h"

#include <cstddef>
#include <cstdint>
#include <string>

class ZipCrypto {
public:
    explicit ZipCrypto(const std::string& password);

    // The 12-byte header that starts the entry's data: 11 random bytes and
    // the check byte readers compare with the password's result.
    Status Header(uint8_t check, std::string& header);

    void Encrypt(char* data, size_t size);

private:
    uint8_t Mask() const;
    void Update(uint8_t plain);

    uint32_t m_keys[3];
};

// Cryptographic random bytes from the system.
Status RandomBytes(void* buffer, size_t size);
