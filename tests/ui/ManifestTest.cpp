// The program asks for common controls 6 for its own architecture; with any
// other architecture the 64-bit program would not get them (or, on Windows,
// not start at all).
#include "framework/Handles.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

namespace {

std::string ManifestOf(const char* program)
{
    HMODULE module = LoadLibraryExA(program, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return std::string();
    std::string text;
    if (HRSRC res = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
        const char* data = static_cast<const char*>(LockResource(LoadResource(module, res)));
        text.assign(data, SizeofResource(module, res));
    }
    FreeLibrary(module);
    return text;
}

TEST(ManifestTest, ProgramAsksForCommonControls6ForX64)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const CString program = CString(path).Left(CString(path).ReverseFind('\\') + 1) + "Tarnel.exe";
    const std::string manifest = ManifestOf(program);
    ASSERT_FALSE(manifest.empty()) << "no manifest in " << program.c_str();
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_EQ(manifest.find("\"x86\""), std::string::npos);
    size_t count = 0;
    for (size_t at = manifest.find("processorArchitecture=\"amd64\""); at != std::string::npos;
         at = manifest.find("processorArchitecture=\"amd64\"", at + 1))
        ++count;
    EXPECT_EQ(count, 2u);  // the program's identity and the dependency
}

TEST(ManifestTest, TheManifestLoadsVersion6)
{
    // This test program carries the same resources, manifest included.
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&icc));
    char path[MAX_PATH] = {};
    GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), path, MAX_PATH);
    CString loaded(path);
    loaded.MakeLower();
    EXPECT_GE(loaded.Find("\\winsxs\\amd64_microsoft.windows.common-controls_"), 0) << path;
}

} // namespace
