#pragma once
// Puts a stand-in zip32j.dll where the library search finds it (the DLL
// directory of this process) and reads what it was handed.

#include "tests/support/TestSupport.h"

#include <string>

namespace test {

class FakeArchiver {
public:
    enum Variant { Complete, WithoutZip, WithoutVersion, Missing };

    explicit FakeArchiver(Variant variant = Complete, int result = 0, int version = 100);
    ~FakeArchiver();

    std::string LastCommand() const { return ReadBytes(m_log); }
    bool Called() const { return Exists(m_log); }
    bool Loaded() const { return GetModuleHandleA("zip32j.dll") != nullptr; }

private:
    TempDir m_dir;
    CString m_log;
};

} // namespace test
