#include "framework/CWinApp.h"
#include "framework/IniFile.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(IniFileTest, MissingFileOrKeyGivesTheDefault)
{
    test::TempDir dir;
    const CString ini = dir / "none.ini";
    EXPECT_EQ(ini::ReadInt(ini, "Main", "OutputMode", 3), 3);
    EXPECT_EQ(ini::ReadString(ini, "Main", "OutDir", "def"), "def");
}

TEST(IniFileTest, WritesCreateSectionAndReplaceKeysKeepingOtherLines)
{
    test::TempDir dir;
    const CString ini = dir / "a.ini";
    test::WriteBytes(ini, "; note\r\n[Other]\r\nx=1\r\n");
    ASSERT_TRUE(ini::WriteString(ini, "Main", "OutDir", "C:\\出力"));
    ASSERT_TRUE(ini::WriteString(ini, "Main", "Singles", "1"));
    ASSERT_TRUE(ini::WriteString(ini, "main", "singles", "0"));
    EXPECT_EQ(test::ReadBytes(ini), "; note\r\n[Other]\r\nx=1\r\n\r\n[Main]\r\nOutDir=C:\\出力\r\nsingles=0\r\n");
    EXPECT_EQ(ini::ReadString(ini, "MAIN", "outdir", ""), "C:\\出力");
    EXPECT_EQ(ini::ReadInt(ini, "Main", "Singles", 7), 0);
    EXPECT_EQ(ini::ReadInt(ini, "Other", "x", 7), 1);
}

TEST(IniFileTest, NumbersAreDecimalAndJunkFallsBackToTheDefault)
{
    test::TempDir dir;
    const CString ini = dir / "n.ini";
    test::WriteBytes(ini, "[Main]\nA=-12\nB=abc\nC=\nD=7x\nE=99999999999\n");
    EXPECT_EQ(ini::ReadInt(ini, "Main", "A", 0), -12);
    EXPECT_EQ(ini::ReadInt(ini, "Main", "B", 5), 5);
    EXPECT_EQ(ini::ReadInt(ini, "Main", "C", 5), 5);
    EXPECT_EQ(ini::ReadInt(ini, "Main", "D", 5), 7);
    EXPECT_EQ(ini::ReadInt(ini, "Main", "E", 5), 5);
}

TEST(IniFileTest, FailedWriteLeavesTheOldFileWhole)
{
    test::TempDir dir;
    const CString ini = dir / "blocked.ini";
    const std::string before = "[Main]\r\nTray=1\r\n";
    test::WriteBytes(ini, before);
    // A folder where the new text would be written makes the write fail.
    test::MakeDir(ini + ".new~");
    EXPECT_FALSE(ini::WriteString(ini, "Main", "Tray", "0"));
    EXPECT_EQ(test::ReadBytes(ini), before);
}

TEST(IniFileTest, ProfileFunctionsUseTheProfileName)
{
    test::TempDir dir;
    CWinApp app;
    app.m_pszProfileName = _strdup(dir / "p.ini");
    EXPECT_TRUE(app.WriteProfileInt("Main", "Rect_left", -40));
    EXPECT_TRUE(app.WriteProfileString("Main", "OutDir", "D:\\表"));
    EXPECT_EQ(static_cast<int>(app.GetProfileInt("Main", "Rect_left", 0)), -40);
    EXPECT_EQ(app.GetProfileString("Main", "OutDir"), "D:\\表");
    EXPECT_EQ(test::ReadBytes(dir / "p.ini"), "[Main]\r\nRect_left=-40\r\nOutDir=D:\\表\r\n");
}

} // namespace
