#include "framework/CStdioFile.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> ReadLines(const char* path)
{
    CStdioFile f;
    EXPECT_TRUE(f.Open(path, CFile::modeRead | CFile::typeText));
    std::vector<std::string> lines;
    CString line;
    while (f.ReadString(line)) lines.push_back(line.c_str());
    return lines;
}

TEST(StdioFileTest, ReadsCrLfAndLfLinesAndALastLineWithoutEnd)
{
    test::TempDir dir;
    const CString path = dir / "l.txt";
    test::WriteBytes(path, "a\r\n\r\nパス\nlast");
    EXPECT_EQ(ReadLines(path), (std::vector<std::string>{"a", "", "パス", "last"}));
    test::WriteBytes(path, "");
    EXPECT_TRUE(ReadLines(path).empty());
}

TEST(StdioFileTest, WritesLineFeedsAsCrLfAndMixesWithSeeks)
{
    test::TempDir dir;
    const CString path = dir / "w.txt";
    CStdioFile f;
    ASSERT_TRUE(f.Open(path, CFile::modeCreate | CFile::modeReadWrite | CFile::typeText));
    f.WriteString("x\ny\n");
    f.SeekToBegin();
    CString line;
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_EQ(line, "x");
    f.SeekToEnd();
    f.WriteString("表\n");
    f.SetLength(f.GetPosition());
    f.Close();
    EXPECT_EQ(test::ReadBytes(path), "x\r\ny\r\n表\r\n");
}

TEST(StdioFileTest, LongLinesCrossTheBuffer)
{
    test::TempDir dir;
    const CString path = dir / "big.txt";
    const std::string longLine(200000, 'q');
    test::WriteBytes(path, longLine + "\r\nend\r\n");
    EXPECT_EQ(ReadLines(path), (std::vector<std::string>{longLine, "end"}));
}

TEST(StdioFileTest, OpenFailureCarriesCauseAndNameAsGiven)
{
    test::TempDir dir;
    CStdioFile f;
    CFileException e;
    const CString missing = dir / "no\\such.txt";
    EXPECT_FALSE(f.Open(missing, CFile::modeRead, &e));
    EXPECT_EQ(e.m_cause, CFileException::badPath);
    EXPECT_EQ(e.m_strFileName, missing);

    const CString held = dir / "held.txt";
    CStdioFile first;
    ASSERT_TRUE(first.Open(held, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive));
    EXPECT_FALSE(f.Open(held, CFile::modeReadWrite | CFile::shareExclusive, &e));
    EXPECT_EQ(e.m_cause, CFileException::sharingViolation);
}

TEST(StdioFileTest, ErrorCodesAreClassified)
{
    const struct { LONG code; int cause; } rows[] = {
        {2, CFileException::fileNotFound}, {3, CFileException::badPath},
        {5, CFileException::accessDenied}, {32, CFileException::sharingViolation},
        {39, CFileException::diskFull},    {112, CFileException::diskFull},
        {0x7fff, CFileException::genericException},
    };
    for (const auto& row : rows) EXPECT_EQ(CFileException::OsErrorToException(row.code), row.cause) << row.code;
}

} // namespace
