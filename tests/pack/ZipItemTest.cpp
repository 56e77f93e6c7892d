#include "pack/ZipItem.h"
#include "tests/support/FakeArchiver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using test::FakeArchiver;

struct CommandRow {
    const char* source;
    const char* archive;
    const char* password;
    const char* command;
};

const CommandRow kCommandRows[] = {
    {"E:\\data\\photos", "D:\\out\\photos", "", "-qrS \"D:\\out\\photos.zip\" \"E:\\data\\\" \"photos\""},
    {"E:\\data\\photos\\", "D:\\out\\photos", "", "-qrS \"D:\\out\\photos.zip\" \"E:\\data\\\" \"photos\""},
    {"E:\\data\\a.txt", "D:\\out\\photos.zip", "", "-qrS \"D:\\out\\photos.zip\" \"E:\\data\\\" \"a.txt\""},
    {"E:\\data\\a.txt", "D:\\out\\photos.ZIP", "", "-qrS \"D:\\out\\photos.ZIP.zip\" \"E:\\data\\\" \"a.txt\""},
    {"E:\\data\\a.txt", "D:\\my.zipfiles\\a", "", "-qrS \"D:\\my.zipfiles\\a\" \"E:\\data\\\" \"a.txt\""},
    {"E:\\data\\a.txt", "D:\\out\\x", "secret", "-qrSP secret \"D:\\out\\x.zip\" \"E:\\data\\\" \"a.txt\""},
    {"E:\\data\\a.txt", "D:\\out\\x", "パス表ソ\\", "-qrSP パス表ソ\\ \"D:\\out\\x.zip\" \"E:\\data\\\" \"a.txt\""},
    {"E:\\表\\ソ", "D:\\能\\ソ", "", "-qrS \"D:\\能\\ソ.zip\" \"E:\\表\\\" \"ソ\""},
    {"noslash", "D:\\o", "", "-qrS \"D:\\o.zip\" \"noslash\" \"noslash\""},
    // Passwords the archiver could not tell apart unquoted.
    {"E:\\d\\a", "D:\\o", "pa ss", "-qrSP \"pa ss\" \"D:\\o.zip\" \"E:\\d\\\" \"a\""},
    {"E:\\d\\a", "D:\\o", "a\"b", "-qrSP \"a\"\"b\" \"D:\\o.zip\" \"E:\\d\\\" \"a\""},
    {"E:\\d\\a", "D:\\o", "\t\"", "-qrSP \"\t\"\"\" \"D:\\o.zip\" \"E:\\d\\\" \"a\""},
};

TEST(ZipItemTest, HandsTheArchiverTheExactCommandLine)
{
    FakeArchiver fake;
    for (const CommandRow& r : kCommandRows) {
        EXPECT_FALSE(ZipItem(r.source, r.archive, r.password)) << test::Utf8(r.command);
        EXPECT_EQ(fake.LastCommand(), r.command);
        EXPECT_FALSE(fake.Loaded());
    }
}

TEST(ZipItemTest, ALineLongerThan1023BytesIsRefusedNotCut)
{
    FakeArchiver fake;
    // Options, quotes and blanks take 13 bytes, "C:\b\" 5, "i" 1 and the
    // ".zip" added to the name 4: a 1000-byte archive name fills 1023 exactly.
    const std::string item = "C:\\b\\i";
    const std::string fits = "D:\\" + std::string(1000 - 3, 'a');
    CString line;
    ASSERT_TRUE(BuildZipCommand(item.c_str(), fits.c_str(), "", line));
    ASSERT_EQ(line.GetLength(), 1023);
    EXPECT_FALSE(ZipItem(item.c_str(), fits.c_str(), ""));
    EXPECT_TRUE(fake.Called());

    FakeArchiver second;
    const std::string tooLong = fits + "a";
    EXPECT_TRUE(ZipItem(item.c_str(), tooLong.c_str(), ""));
    EXPECT_FALSE(second.Called());
    const std::string longPass(1100, 'p');
    EXPECT_TRUE(ZipItem(item.c_str(), "D:\\o", longPass.c_str()));
    EXPECT_FALSE(second.Called());
}

TEST(ZipItemTest, ResultsAndUnloading)
{
    struct Row {
        FakeArchiver::Variant variant;
        int result;
        bool failed;
        bool called;
    } rows[] = {
        {FakeArchiver::Complete, 0, false, true},
        {FakeArchiver::Complete, 1, true, true},
        {FakeArchiver::Complete, -5, true, true},
        {FakeArchiver::WithoutZip, 0, true, false},
        {FakeArchiver::WithoutVersion, 0, false, true},
        {FakeArchiver::Missing, 0, true, false},
    };
    for (const Row& r : rows) {
        FakeArchiver fake(r.variant, r.result);
        EXPECT_EQ(ZipItem("E:\\d\\a", "D:\\o", ""), r.failed) << r.variant << "/" << r.result;
        EXPECT_EQ(fake.Called(), r.called) << r.variant;
        EXPECT_FALSE(fake.Loaded()) << r.variant;
        EXPECT_TRUE(test::MessageBoxes().empty());
    }
}

TEST(ZipItemTest, CheckArchiverWantsVersion25)
{
    struct Row {
        FakeArchiver::Variant variant;
        int version;
        bool failed;
    } rows[] = {
        {FakeArchiver::Complete, 24, true},
        {FakeArchiver::Complete, 25, false},
        {FakeArchiver::Complete, 0x10018, true},   // only the low 16 bits count: 24
        {FakeArchiver::Complete, 0xFFFF, false},   // read unsigned
        {FakeArchiver::WithoutVersion, 100, true},
        {FakeArchiver::WithoutZip, 100, false},
        {FakeArchiver::Missing, 100, true},
    };
    for (const Row& r : rows) {
        FakeArchiver fake(r.variant, 0, r.version);
        EXPECT_EQ(CheckArchiver(), r.failed) << r.variant << "/" << r.version;
        EXPECT_FALSE(fake.Loaded());
    }
}

} // namespace
