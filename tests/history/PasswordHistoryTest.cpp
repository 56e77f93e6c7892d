#include "ui/PasswordHistory.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using List = std::vector<CString>;

TEST(PasswordHistoryTest, RecordPassMovesOrInsertsAtTheTop)
{
    struct Row {
        List before;
        const char* password;
        List after;
    } rows[] = {
        {{}, "a", {"a"}},
        {{"x", "y", "z"}, "z", {"z", "x", "y"}},
        {{"x", "y", "z"}, "new", {"new", "x", "y", "z"}},
        {{"x", "y", "z"}, "", {"x", "y", "z"}},
        {{"p", "dup", "q", "dup"}, "dup", {"dup", "p", "q", "dup"}},
        {{"Pass", "x"}, "pass", {"pass", "Pass", "x"}},
        {{"", "パス表"}, "パス表", {"パス表", ""}},
    };
    for (Row& r : rows) {
        RecordPass(r.before, r.password);
        EXPECT_EQ(r.before, r.after) << r.password;
    }
}

TEST(PasswordHistoryTest, LoadsEveryLineAsWritten)
{
    struct Row {
        std::string bytes;
        List entries;
    } rows[] = {
        {"a\r\nb\r\nc\r\n", {"a", "b", "c"}},
        {"a\nb\nlast", {"a", "b", "last"}},
        {"\r\nx\r\n\r\n", {"", "x", ""}},
        {"パス ワード\r\n表ソ能\r\n  blanks  \r\n", {"パス ワード", "表ソ能", "  blanks  "}},
        {"", {}},
    };
    test::TempDir dir;
    for (const Row& r : rows) {
        test::WriteBytes(dir / "PassList.dat", r.bytes);
        EXPECT_EQ(LoadHistory(dir / "PassList.dat"), r.entries) << r.bytes;
    }
}

TEST(PasswordHistoryTest, AMissingFileIsCreatedEmpty)
{
    test::TempDir dir;
    EXPECT_TRUE(LoadHistory(dir / "PassList.dat").empty());
    EXPECT_TRUE(test::Exists(dir / "PassList.dat"));
    // A folder that does not exist: nothing to load, nothing shown.
    EXPECT_TRUE(LoadHistory(dir / "none\\PassList.dat").empty());
    EXPECT_TRUE(test::MessageBoxes().empty());
}

TEST(PasswordHistoryTest, SaveWritesCrLfLinesAndRoundTrips)
{
    test::TempDir dir;
    const CString path = dir / "PassList.dat";
    test::WriteBytes(path, "old\nlast");
    const List entries = {"top", "", "パス ワード"};
    EXPECT_FALSE(SaveHistory(path, entries));
    EXPECT_EQ(test::ReadBytes(path), "top\r\n\r\nパス ワード\r\n");
    EXPECT_EQ(LoadHistory(path), entries);
    EXPECT_FALSE(SaveHistory(path, {}));
    EXPECT_EQ(test::ReadBytes(path), "");
    EXPECT_FALSE(test::Exists(path + ".new~"));
}

TEST(PasswordHistoryTest, AFailedSaveLeavesTheOldHistoryWhole)
{
    test::TempDir dir;
    const CString path = dir / "PassList.dat";
    const std::string before = "one\r\ntwo\r\n";
    for (long long after : {0LL, 3LL, 9LL}) {
        test::WriteBytes(path, before);
        test::FailWrites(after);
        EXPECT_TRUE(SaveHistory(path, {"alpha", "beta", "gamma"})) << after;
        test::ResetWriteFaults();
        EXPECT_EQ(test::ReadBytes(path), before) << after;
        EXPECT_FALSE(test::Exists(path + ".new~"));
    }
    // The file held by another opener cannot be replaced either.
    HANDLE held = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_TRUE(SaveHistory(path, {"x"}));
    CloseHandle(held);
    EXPECT_EQ(test::ReadBytes(path), before);
}

} // namespace
