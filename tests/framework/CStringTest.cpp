#include "framework/CString.h"

#include <gtest/gtest.h>

namespace {

struct FindRow {
    const char* text;
    char ch;
    int first;
    int last;
};

// 表 is 0x95 0x5C and ソ is 0x83 0x5C: their second byte is a backslash code.
const FindRow kFindRows[] = {
    {"C:\\dir\\file", '\\', 2, 6},
    {"表", '\\', -1, -1},
    {"ソ\\", '\\', 2, 2},
    {"a表\\b表", '\\', 3, 3},
    {"能力|", '|', 4, 4},   // 能 is 0x94 0x5C
    {"ソソ.txt", '.', 4, 4},
    {"", '\\', -1, -1},
    {"abc", 'x', -1, -1},
};

TEST(CStringTest, FindAndReverseFindWalkWholeCharacters)
{
    for (const FindRow& row : kFindRows) {
        const CString s(row.text);
        EXPECT_EQ(s.Find(row.ch), row.first) << "Find in row " << (&row - kFindRows);
        EXPECT_EQ(s.ReverseFind(row.ch), row.last) << "ReverseFind in row " << (&row - kFindRows);
    }
}

TEST(CStringTest, FindSubstringOnlyAtCharacterStarts)
{
    // "\\x" would match inside 表x at byte 1 if bytes were compared blindly.
    EXPECT_EQ(CString("表x").Find("\\x"), -1);
    EXPECT_EQ(CString("a\\x").Find("\\x"), 1);
    EXPECT_EQ(CString("ab.zip.zip").Find(".zip", 3), 6);
    EXPECT_EQ(CString("abc").Find(""), 0);
    EXPECT_EQ(CString("表").Find('\\', 1), -1);
}

TEST(CStringTest, FindOneOfSkipsTrailBytes)
{
    EXPECT_EQ(CString("表ソ能").FindOneOf("\\/|"), -1);
    EXPECT_EQ(CString("表a|").FindOneOf("\\/|"), 3);
}

TEST(CStringTest, LeftMidRightClampTheirRange)
{
    const CString s("abcdef");
    EXPECT_EQ(s.Left(2), "ab");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Left(99), "abcdef");
    EXPECT_EQ(s.Mid(4), "ef");
    EXPECT_EQ(s.Mid(1, 2), "bc");
    EXPECT_EQ(s.Mid(10), "");
    EXPECT_EQ(s.Mid(-3, 2), "ab");
    EXPECT_EQ(s.Right(2), "ef");
    EXPECT_EQ(s.Right(10), "abcdef");
}

TEST(CStringTest, FormatGrowsToAnyLength)
{
    CString s;
    s.Format("%s%s%i%s", "C:\\dir\\", "file~", 10, ".txt");
    EXPECT_EQ(s, "C:\\dir\\file~10.txt");
    const std::string big(5000, 'x');
    s.Format("[%s]", big.c_str());
    EXPECT_EQ(s.GetLength(), 5002);
}

TEST(CStringTest, GetBufferReleaseBufferTakesTheTerminator)
{
    CString s("old");
    char* p = s.GetBuffer(MAX_PATH);
    strcpy(p, "表示");
    s.ReleaseBuffer();
    EXPECT_EQ(s, "表示");
    EXPECT_EQ(s.GetLength(), 4);
    p = s.GetBuffer(10);
    p[0] = 'Z';
    s.ReleaseBuffer(1);
    EXPECT_EQ(s, "Z");
}

TEST(CStringTest, ComparisonIsByteWise)
{
    EXPECT_TRUE(CString("abc") == "abc");
    EXPECT_TRUE(CString("abc") != "abd");
    EXPECT_TRUE(CString("abc") < CString("abd"));
    EXPECT_EQ(CString("ABC").CompareNoCase("abc"), 0);
    EXPECT_NE(CString("ABC").Compare("abc"), 0);
}

TEST(CStringTest, TrimAndReplace)
{
    CString s("  a b \t");
    s.Trim();
    EXPECT_EQ(s, "a b");
    CString r("表\\表");
    EXPECT_EQ(r.Replace("\\", "/"), 1);  // only the real separator
    EXPECT_EQ(r, "表/表");
}

} // namespace
