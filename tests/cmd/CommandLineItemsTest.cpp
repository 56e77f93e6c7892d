// The paths of the command line, split the Windows way and taken into code
// page 932 whole or not at all.
#include "tests/support/TestSupport.h"
#include "ui/CommandLineItems.h"
#include "framework/MessageBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<CString> Items(std::initializer_list<const char*> list) { return {list.begin(), list.end()}; }

TEST(CommandLineItemsTest, SplitsAsWindowsSplitsArguments)
{
    const struct {
        const wchar_t* line;
        std::vector<CString> items;
    } rows[] = {
        {L"Tarnel.exe a.txt", Items({"a.txt"})},
        {L"\"C:\\Program Files\\Tarnel.exe\" \"C:\\with blank\\表.txt\" D:\\b",
         Items({"C:\\with blank\\表.txt", "D:\\b"})},
        // The trail byte of 表 and ソ is 0x5C: a quote after it still closes.
        {L"Tarnel.exe \"C:\\dir\\表\" \"C:\\ソ\" C:\\能\\表", Items({"C:\\dir\\表", "C:\\ソ", "C:\\能\\表"})},
        {L"Tarnel.exe \"a b\"c   d\t e", Items({"a bc", "d", "e"})},
        {L"Tarnel.exe a\\\\\"b c\" x\\\"y", Items({"a\\b c", "x\"y"})},
        {L"Tarnel.exe \"\" a \"\"", Items({"a"})},
    };
    for (const auto& r : rows) {
        std::vector<CString> items;
        CString bad;
        EXPECT_EQ(SplitCommandLine(r.line, items, bad), CommandLineProblem::None);
        EXPECT_EQ(items, r.items);
        EXPECT_EQ(bad, "");
    }
}

TEST(CommandLineItemsTest, RefusesWholeWhatItCannotPassOnIntact)
{
    const std::wstring head = L"C:\\";
    const std::wstring fits = head + std::wstring(128, L'表');  // 3 + 256 = 259 bytes
    const std::wstring over = fits + L"x";                      // 260 bytes
    const std::string fitsAnsi = "C:\\" + [] { std::string s; for (int i = 0; i < 128; ++i) s += "表"; return s; }();
    const struct {
        std::wstring line;
        CommandLineProblem problem;
        std::string bad;
        size_t items;
    } rows[] = {
        {L"Tarnel.exe " + fits, CommandLineProblem::None, "", 1},
        {L"Tarnel.exe a \"" + over + L"\" b", CommandLineProblem::TooLong, fitsAnsi + "x", 0},
        {L"Tarnel.exe a caf\u00e9.txt", CommandLineProblem::NotInCodePage, "caf?.txt", 0},
        {L"Tarnel.exe \U0001F600.txt", CommandLineProblem::NotInCodePage, "", 0},
        {L"Tarnel.exe \"\"", CommandLineProblem::NoItems, "", 0},
        {L"Tarnel.exe", CommandLineProblem::NoItems, "", 0},
    };
    for (const auto& r : rows) {
        std::vector<CString> items;
        CString bad;
        EXPECT_EQ(SplitCommandLine(r.line.c_str(), items, bad), r.problem) << test::Utf8(r.bad);
        if (!r.bad.empty() || r.problem == CommandLineProblem::None) EXPECT_EQ(bad.str(), r.bad);
        EXPECT_EQ(items.size(), r.items) << test::Utf8(r.bad);
    }
}

TEST(CommandLineItemsTest, ProblemsAreReportedWithTheArgument)
{
    const struct {
        CommandLineProblem problem;
        const char* text;
    } rows[] = {
        {CommandLineProblem::NoItems, "圧縮するファイルが指定されていません"},
        {CommandLineProblem::TooLong, "圧縮するファイルのパスが長すぎます\nC:\\長い"},
        {CommandLineProblem::NotInCodePage, "圧縮するファイルのパスに使用できない文字が含まれています\nC:\\長い"},
    };
    for (const auto& r : rows) {
        test::MessageBoxes().clear();
        ReportCommandLineProblem(nullptr, r.problem, r.problem == CommandLineProblem::NoItems ? "" : "C:\\長い");
        ASSERT_EQ(test::MessageBoxes().size(), 1u);
        EXPECT_EQ(test::MessageBoxes()[0].text, r.text);
        EXPECT_EQ(test::MessageBoxes()[0].caption, ModuleTitle());
        EXPECT_EQ(test::MessageBoxes()[0].type, static_cast<UINT>(MB_ICONERROR | MB_OK));
    }
    test::MessageBoxes().clear();
    ReportCommandLineProblem(nullptr, CommandLineProblem::None, "");
    EXPECT_TRUE(test::MessageBoxes().empty());
}

} // namespace
