#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

CString Beside(const char* name)
{
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    CString path(exe);
    return path.Left(path.ReverseFind('\\') + 1) + name;
}

std::string FileVersion(const char* path)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (!size) return "none";
    std::string block(size, '\0');
    if (!GetFileVersionInfoA(path, 0, size, &block[0])) return "unreadable";
    VS_FIXEDFILEINFO* info = nullptr;
    UINT len = 0;
    if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &len) || !info) return "no record";
    char text[64];
    wsprintfA(text, "%u.%u.%u.%u", HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
              HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
    return text;
}

TEST(VersionTest, BothBinariesCarryTheirVersionRecords)
{
    EXPECT_EQ(FileVersion(Beside("Tarnel.exe")), "1.6.1.0");
    EXPECT_EQ(FileVersion(Beside("Hobrin.dll")), "1.1.0.0");
}

} // namespace
