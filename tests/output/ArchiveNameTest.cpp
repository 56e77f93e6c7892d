#include "framework/MessageBox.h"
#include "pack/ArchiveName.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ArchiveNameTest, FoldersKeepTheirWholeNameFilesLoseTheirExtension)
{
    test::TempDir dir;
    test::MakeDir(dir / "old.photos");
    test::MakeDir(dir / "写真.2024");
    test::MakeDir(dir / "表ソ");
    test::WriteBytes(dir / "report.final.doc", "x");
    test::WriteBytes(dir / "README", "x");
    test::WriteBytes(dir / "能力表.txt", "x");
    test::WriteBytes(dir / ".profile", "x");
    const struct Row {
        CString item;
        const char* name;
    } rows[] = {
        {dir / "old.photos", "old.photos"},
        {dir / "写真.2024", "写真.2024"},
        {dir / "old.photos\\", "old.photos"},
        {dir / "表ソ", "表ソ"},
        {dir / "report.final.doc", "report.final"},
        {dir / "README", "README"},
        {dir / "能力表.txt", "能力表"},
        {dir / ".profile", ".profile"},
        {dir / "missing.tar.gz", "missing.tar"},  // counts as a file
    };
    for (const Row& row : rows) EXPECT_EQ(ItemArchiveName(row.item), row.name) << test::Utf8(row.item.c_str());
}

TEST(ArchiveNameTest, ItemsWithTheSameNameShareOneArchive)
{
    test::TempDir dir;
    test::WriteBytes(dir / "報告.doc", "1");
    test::WriteBytes(dir / "報告.txt", "2");
    CString first, second;
    EXPECT_FALSE(ArchivePath(dir.Path(), BatchArchiveName(true, dir / "報告.doc", "all"), first));
    EXPECT_FALSE(ArchivePath(dir.Path(), BatchArchiveName(true, dir / "報告.txt", "all"), second));
    EXPECT_EQ(first, dir / "報告");
    EXPECT_EQ(second, first);
    EXPECT_EQ(BatchArchiveName(false, dir / "報告.doc", "まとめ"), "まとめ");
}

std::string Repeat(const char* piece, int times)
{
    std::string s;
    for (int i = 0; i < times; ++i) s += piece;
    return s;
}

TEST(ArchiveNameTest, ArchivePathJoinsAsTypedAndRefusesWhatWouldNotFit)
{
    // "C:\out" + '\' + name + ".zip" must fit 259 bytes: names up to 248.
    const std::string folder = "C:\\out";
    const struct Row {
        const char* name;
        std::string dir;
        std::string base;
        bool refused;
    } rows[] = {
        {"short", folder, "short", false},
        {"trailing backslash kept", folder + "\\", "a", false},
        {"248 bytes", folder, Repeat("n", 248), false},
        {"249 bytes", folder, Repeat("n", 249), true},
        {"japanese counted in bytes", folder, Repeat("n", 124) + Repeat("表", 62), false},
        {"japanese one byte over", folder, Repeat("n", 125) + Repeat("表", 62), true},
        {"holding .zip: nothing is added", folder, Repeat("n", 248) + ".zip", false},
        {"holding .zip, too long", folder, Repeat("n", 249) + ".zip", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CString path;
        EXPECT_EQ(ArchivePath(row.dir.c_str(), row.base.c_str(), path), row.refused);
        EXPECT_EQ(std::string(path.c_str()), row.dir + "\\" + row.base) << "never cut";
    }
}

TEST(ArchiveNameTest, LongPathMessageShowsThePath)
{
    ReportLongArchivePath(nullptr, "C:\\長い\\パス");
    ASSERT_EQ(test::MessageBoxes().size(), 1u);
    const test::MessageBoxCall& box = test::MessageBoxes()[0];
    EXPECT_EQ(box.text, "出力ファイルのパスが長すぎます\nC:\\長い\\パス");
    EXPECT_EQ(box.caption, ModuleTitle());
    EXPECT_EQ(box.type, static_cast<UINT>(MB_ICONERROR | MB_OK));
}

} // namespace
