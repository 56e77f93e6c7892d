#include "lib/OutFile.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using test::Utf8;

// Every line of the object, read one at a time as the program does.
std::vector<std::string> Lines(COutFile& file)
{
    std::vector<std::string> lines;
    for (int i = 1; i <= file.GetLineCount(); ++i) lines.push_back(file.ReadLineEx(1, i).c_str());
    return lines;
}

std::string Path(const CString& p) { return Utf8(p.c_str()); }

TEST(OutFileTest, CountsAndReadsLinesAsWritten)
{
    const struct Row {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    } rows[] = {
        {"empty", "", {}},
        {"crlf", "a\r\nb\r\n", {"a", "b"}},
        {"lf", "a\nb\n", {"a", "b"}},
        {"no final line end", "a\r\n\r\nb", {"a", "", "b"}},
        {"one empty line", "\r\n", {""}},
        {"mixed ends", "x\ny\r\nz", {"x", "y", "z"}},
        {"japanese", "表\r\nソフト\n能力\r\nパス ワード", {"表", "ソフト", "能力", "パス ワード"}},
        {"lone cr stays", "a\rb\r\n", {"a\rb"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::TempDir dir;
        const CString path = dir / "履歴.dat";
        test::WriteBytes(path, row.bytes);
        COutFile file(path);
        EXPECT_EQ(file.GetErrorMsg(), "");
        EXPECT_EQ(file.GetFilePath(), path);
        EXPECT_EQ(file.GetLineCount(), static_cast<int>(row.lines.size()));
        EXPECT_EQ(Lines(file), row.lines);
        EXPECT_EQ(file.ReadLineEx(1, file.GetLineCount() + 1), "");
    }
}

TEST(OutFileTest, MissingFileIsCreatedEmptyAndHeldWithoutSharing)
{
    test::TempDir dir;
    const CString path = dir / "新規.dat";
    {
        COutFile file(path);
        EXPECT_EQ(file.GetErrorMsg(), "");
        EXPECT_EQ(file.GetLineCount(), 0);
        EXPECT_TRUE(test::Exists(path));
        HANDLE other = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(other, INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
        if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
    }
    EXPECT_EQ(test::ReadBytes(path), "");
    HANDLE after = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(after, INVALID_HANDLE_VALUE) << "the file stays locked after the object is gone";
    if (after != INVALID_HANDLE_VALUE) CloseHandle(after);
}

TEST(OutFileTest, OpenFailuresGiveTheirTextAndEveryChangeFailsHarmlessly)
{
    test::TempDir dir;
    const CString readOnly = dir / "読取専用.dat";
    test::WriteBytes(readOnly, "keep\r\n");
    SetFileAttributesA(readOnly, FILE_ATTRIBUTE_READONLY);
    const CString held = dir / "held.dat";
    COutFile holder(held);
    ASSERT_EQ(holder.GetErrorMsg(), "");
    const CString locked = dir / "locked.dat";
    test::WriteBytes(locked, "keep\r\n");
    HANDLE lock = CreateFileA(locked, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    const CString folder = dir / "フォルダ";
    test::MakeDir(folder);

    const struct Row {
        CString path;
        CString text;
    } rows[] = {
        {readOnly, readOnly + ":ファイルアクセスが禁止されています"},
        {dir / "無い\\x.dat", dir / "無い\\x.dat:パスが不正です"},
        {held, held + ":エラーが発生しました"},
        {locked, locked + ":エラーが発生しました"},
        {folder, folder + ":ファイルアクセスが禁止されています"},
        {CString(), CString("ファイル名がありません:パスが不正です")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(Path(row.path));
        const std::string before = test::ReadBytes(row.path);
        COutFile file(row.path.IsEmpty() ? nullptr : row.path.c_str());
        EXPECT_EQ(Path(file.GetErrorMsg()), Path(row.text));
        EXPECT_EQ(file.GetLineCount(), 0);
        EXPECT_TRUE(file.AddLine("x"));
        EXPECT_TRUE(file.DeleteLine(1, 1));
        EXPECT_TRUE(file.DeleteAddLine("x"));
        EXPECT_TRUE(file.Clear());
        EXPECT_EQ(file.ReadLineEx(1, 1), "");
        EXPECT_EQ(file.GetLineCount(), 0);
        EXPECT_EQ(Path(file.GetErrorMsg()), Path(row.text)) << "the reason the file is not open stays";
        EXPECT_EQ(test::ReadBytes(row.path), before);
    }
    CloseHandle(lock);
    EXPECT_EQ(test::ReadBytes(locked), "keep\r\n");
    EXPECT_EQ(holder.GetLineCount(), 0);
    EXPECT_FALSE(test::Exists(dir / "無い"));
}

TEST(OutFileTest, ReadLineExGivesAllLinesAskedForOrNone)
{
    test::TempDir dir;
    const CString path = dir / "r.dat";
    test::WriteBytes(path, "a\r\n\r\nb");
    COutFile file(path);
    ASSERT_EQ(file.GetLineCount(), 3);
    const struct Row {
        int count, first;
        const char* expected;
    } rows[] = {
        {1, 1, "a"},   {1, 2, ""},         {1, 3, "b"},       {3, 1, "a\n\nb\n"}, {2, 2, "\nb\n"},
        {2, 3, ""},    {1, 4, ""},         {4, 1, ""},        {0, 1, ""},         {-1, 1, ""},
        {1, 0, "a"},   {2, -5, "a\n\n"},   {1, 99, ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(file.ReadLineEx(row.count, row.first), row.expected) << row.count << "," << row.first;
    EXPECT_EQ(file.GetErrorMsg(), "");
}

TEST(OutFileTest, AddLineAppendsWholeLinesWithCrLf)
{
    const struct Row {
        const char* name;
        std::string before;
        const char* text;
        std::string after;
        int count;
    } rows[] = {
        {"plain", "", "x", "x\r\n", 1},
        {"with its line feed", "", "x\n", "x\r\n", 1},
        {"two lines", "", "a\nb", "a\r\nb\r\n", 2},
        {"empty text", "", "", "\r\n", 1},
        {"after lf lines", "a\n", "b", "a\nb\r\n", 2},
        {"last line ended first", "a", "b", "a\r\nb\r\n", 2},
        {"japanese", "表\r\n", "ソ能", "表\r\nソ能\r\n", 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::TempDir dir;
        const CString path = dir / "a.dat";
        test::WriteBytes(path, row.before);
        {
            COutFile file(path);
            EXPECT_FALSE(file.AddLine(row.text));
            EXPECT_EQ(file.GetLineCount(), row.count);
            EXPECT_EQ(file.GetErrorMsg(), "");
        }
        EXPECT_EQ(test::ReadBytes(path), row.after);
        COutFile again(path);
        EXPECT_EQ(again.GetLineCount(), row.count);
    }
}

TEST(OutFileTest, DeleteLineRewritesTheRestWithCrLf)
{
    const struct Row {
        const char* name;
        std::string before;
        int count, first;
        std::string after;
    } rows[] = {
        {"middle", "a\r\nb\r\nc\r\n", 1, 2, "a\r\nc\r\n"},
        {"first two", "a\r\nb\r\nc\r\n", 2, 1, "c\r\n"},
        {"last", "a\r\nb\r\nc\r\n", 1, 3, "a\r\nb\r\n"},
        {"all", "a\r\nb\r\nc\r\n", 3, 1, ""},
        {"lf and no final end", "a\nb\nc", 1, 1, "b\r\nc\r\n"},
        {"nothing deleted still ends every line", "a\nb", 0, 1, "a\r\nb\r\n"},
        {"japanese", "表\r\nソ\r\n能\r\n", 1, 2, "表\r\n能\r\n"},
        {"empty lines count", "\r\n\r\nx\r\n", 1, 2, "\r\nx\r\n"},
        // Outside the file: lines that do not exist are skipped.
        {"range past the end", "a\r\nb\r\nc\r\n", 5, 2, "a\r\n"},
        {"first past the end", "a\r\nb\r\n", 1, 9, "a\r\nb\r\n"},
        {"first below one", "a\r\nb\r\n", 1, 0, "b\r\n"},
        {"negative count", "a\r\nb\r\n", -2, 1, "a\r\nb\r\n"},
        {"empty file", "", 1, 1, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::TempDir dir;
        const CString path = dir / "d.dat";
        test::WriteBytes(path, row.before);
        int count = 0;
        {
            COutFile file(path);
            EXPECT_FALSE(file.DeleteLine(row.count, row.first));
            EXPECT_EQ(file.GetErrorMsg(), "");
            count = file.GetLineCount();
        }
        EXPECT_EQ(test::ReadBytes(path), row.after);
        COutFile again(path);
        EXPECT_EQ(again.GetLineCount(), count) << "the count kept matches the file";
    }
}

TEST(OutFileTest, DeleteAddLineRollsTheList)
{
    test::TempDir dir;
    const CString path = dir / "roll.dat";
    test::WriteBytes(path, "a\r\nb\r\nc\r\n");
    {
        COutFile file(path);
        EXPECT_FALSE(file.DeleteAddLine("d"));
        EXPECT_EQ(file.GetLineCount(), 3);
        EXPECT_EQ(file.ReadLineEx(2, 2), "c\nd\n");
        EXPECT_EQ(file.ReadLineEx(3, 2), "");
        EXPECT_FALSE(file.DeleteAddLine("パス\n"));
        EXPECT_EQ(Lines(file), (std::vector<std::string>{"c", "d", "パス"}));
    }
    EXPECT_EQ(test::ReadBytes(path), "c\r\nd\r\nパス\r\n");

    const CString empty = dir / "empty.dat";
    COutFile file(empty);
    EXPECT_FALSE(file.DeleteAddLine("first"));
    EXPECT_EQ(file.GetLineCount(), 1);
    EXPECT_EQ(file.ReadLineEx(1, 1), "first");
}

TEST(OutFileTest, ClearThenAddLineRewritesTheHistory)
{
    test::TempDir dir;
    const CString path = dir / "PassList.dat";
    test::WriteBytes(path, "old1\nold2\nold3");
    {
        COutFile file(path);
        ASSERT_EQ(file.GetLineCount(), 3);
        EXPECT_FALSE(file.Clear());
        EXPECT_EQ(file.GetLineCount(), 0);
        EXPECT_EQ(file.ReadLineEx(1, 1), "");
        EXPECT_EQ(file.ReadLineEx(3, 1), "");
        for (const char* entry : {"pass 1", "", "表ソ能"}) EXPECT_FALSE(file.AddLine(entry));
        EXPECT_EQ(file.GetLineCount(), 3);
    }
    EXPECT_EQ(test::ReadBytes(path), "pass 1\r\n\r\n表ソ能\r\n");
}

TEST(OutFileTest, LongFilesCrossTheBuffer)
{
    test::TempDir dir;
    const CString path = dir / "long.dat";
    std::string bytes;
    for (int i = 1; i <= 20000; ++i) bytes += "line " + std::to_string(i) + "\r\n";
    test::WriteBytes(path, bytes);
    COutFile file(path);
    ASSERT_EQ(file.GetLineCount(), 20000);
    EXPECT_FALSE(file.DeleteLine(19990, 2));
    EXPECT_EQ(Lines(file), (std::vector<std::string>{"line 1", "line 19992", "line 19993", "line 19994", "line 19995",
                                                     "line 19996", "line 19997", "line 19998", "line 19999", "line 20000"}));
}

// Failing writes (a full disk, as the file layer's test hook makes it): a
// failed change leaves the file as it was and the count unchanged. The file
// is held without sharing, so its bytes are read once the object is gone.

TEST(OutFileTest, FailedAddLineLeavesTheFileAsItWas)
{
    for (const long long afterBytes : {0LL, 3LL}) {
        SCOPED_TRACE(afterBytes);
        test::TempDir dir;
        const CString path = dir / "full.dat";
        const std::string before = "a\r\nb";
        test::WriteBytes(path, before);
        {
            COutFile file(path);
            ASSERT_EQ(file.GetLineCount(), 2);
            test::FailWrites(afterBytes);
            EXPECT_TRUE(file.AddLine("new line"));
            EXPECT_EQ(Path(file.GetErrorMsg()), Path(path + ":ディスク容量が不足しています"));
            EXPECT_EQ(file.GetLineCount(), 2);
            EXPECT_EQ(file.ReadLineEx(3, 1), "");
            EXPECT_EQ(file.ReadLineEx(2, 1), "a\nb\n");
            EXPECT_EQ(Path(file.GetErrorMsg()), Path(path + ":ディスク容量が不足しています")) << "reads keep the text";
        }
        EXPECT_EQ(test::ReadBytes(path), before);
        {
            COutFile file(path);
            EXPECT_FALSE(file.AddLine("next"));
            EXPECT_EQ(file.GetErrorMsg(), "");
        }
        EXPECT_EQ(test::ReadBytes(path), "a\r\nb\r\nnext\r\n");
    }
}

TEST(OutFileTest, FailedRewriteKeepsTheOldLines)
{
    const std::string before = "一\nb\r\nc\nd";
    const struct Op {
        const char* name;
        bool (*run)(COutFile&);
        std::string after;
        int count;
    } ops[] = {
        {"DeleteLine", [](COutFile& f) { return f.DeleteLine(1, 2); }, "一\r\nc\r\nd\r\n", 3},
        {"DeleteAddLine", [](COutFile& f) { return f.DeleteAddLine("e"); }, "b\r\nc\r\nd\r\ne\r\n", 4},
    };
    for (const Op& op : ops) {
        const long long size = static_cast<long long>(op.after.size());
        // Fail before anything is written, part way through the copy written
        // after the old bytes, at the start of and part way through the copy
        // over them.
        for (const long long afterBytes : {0LL, 5LL, size, size + 4}) {
            SCOPED_TRACE(std::string(op.name) + " " + std::to_string(afterBytes));
            test::TempDir dir;
            const CString path = dir / "rewrite.dat";
            test::WriteBytes(path, before);
            {
                COutFile file(path);
                ASSERT_EQ(file.GetLineCount(), 4);
                test::FailWrites(afterBytes);
                EXPECT_TRUE(op.run(file));
                EXPECT_EQ(Path(file.GetErrorMsg()), Path(path + ":ディスク容量が不足しています"));
                EXPECT_EQ(file.GetLineCount(), 4);
                EXPECT_EQ(file.ReadLineEx(4, 1), "一\nb\nc\nd\n");
                EXPECT_EQ(file.ReadLineEx(1, 5), "");
            }
            EXPECT_EQ(test::ReadBytes(path), before);
            {
                COutFile file(path);
                EXPECT_FALSE(op.run(file));
                EXPECT_EQ(file.GetLineCount(), op.count);
            }
            EXPECT_EQ(test::ReadBytes(path), op.after);
        }
    }
}

TEST(OutFileTest, WhenEvenTheRepairFailsTheNewLinesStayInTheFile)
{
    const std::string before = "a\r\nb\r\nc\r\n";
    test::TempDir dir;
    const CString path = dir / "broken.dat";
    test::WriteBytes(path, before);
    {
        COutFile file(path);
        // The copy after the old bytes succeeds; every later write fails.
        test::FailWrites(6, 1000);
        EXPECT_TRUE(file.DeleteLine(1, 1));
        EXPECT_EQ(file.GetLineCount(), 3);
    }
    EXPECT_EQ(test::ReadBytes(path), before + "b\r\nc\r\n");
}

} // namespace
