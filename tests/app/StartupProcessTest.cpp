#include "tests/support/ProcessDriver.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

CString BinFolder()
{
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    CString path(exe);
    return path.Left(path.ReverseFind('\\'));
}

// Tarnel.exe and Hobrin.dll alone in a folder: no archiver beside them.
TEST(StartupProcessTest, WithoutTheArchiverTheProgramSaysSoAndEnds)
{
    test::TempDir dir;
    ASSERT_TRUE(CopyFileA(BinFolder() + "\\Tarnel.exe", dir / "Tarnel.exe", FALSE));
    ASSERT_TRUE(CopyFileA(BinFolder() + "\\Hobrin.dll", dir / "Hobrin.dll", FALSE));

    test::ProcessDriver tarnel(dir / "Tarnel.exe", "", dir.Path());
    ASSERT_TRUE(tarnel.Started());
    HWND box = tarnel.WaitForWindow("#32770");
    ASSERT_NE(box, nullptr) << "no message box appeared";
    EXPECT_EQ(test::ProcessDriver::Text(box), "Tarnel");
    const auto texts = test::ProcessDriver::ChildTexts(box);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Zip32J.DLLロードエラー"), texts.end());
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(tarnel.WaitForExit(), 0);
    EXPECT_FALSE(test::Exists(dir / "Tarnel.ini"));
}

} // namespace
