#include "framework/MessageBox.h"
#include "lib/PathFunc.h"
#include "pack/DesktopFolder.h"
#include "pack/OutputChecks.h"
#include "pack/OutputMode.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const HWND kOwner = reinterpret_cast<HWND>(0x4578);

CString NoDesktop() { return CString(); }

// Makes the desktop lookup fail while it lives.
class DesktopMissing {
public:
    DesktopMissing() : m_previous(SetDesktopFolderLookup(NoDesktop)) {}
    ~DesktopMissing() { SetDesktopFolderLookup(m_previous); }

private:
    DesktopFolderLookup m_previous;
};

bool IsFolder(const char* path)
{
    const DWORD a = GetFileAttributesA(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

void ExpectBox(const char* text, const char* caption, UINT type)
{
    ASSERT_EQ(test::MessageBoxes().size(), 1u);
    const test::MessageBoxCall& box = test::MessageBoxes()[0];
    EXPECT_EQ(test::Utf8(box.text), test::Utf8(text));
    EXPECT_EQ(test::Utf8(box.caption), test::Utf8(caption ? caption : ModuleTitle()));
    EXPECT_EQ(box.type, type);
    EXPECT_EQ(box.owner, kOwner);
}

TEST(DesktopFolderTest, TheShellGivesAnExistingFolderAndTheLookupCanFail)
{
    const CString desktop = GetDesktopFolder();
    ASSERT_FALSE(desktop.IsEmpty());
    EXPECT_TRUE(IsFolder(desktop)) << test::Utf8(desktop.c_str());
    EXPECT_EQ(PathToDir(desktop), desktop) << "no final backslash";
    {
        DesktopMissing missing;
        EXPECT_EQ(GetDesktopFolder(), "");
    }
    EXPECT_EQ(GetDesktopFolder(), desktop);
}

TEST(OutputChecksTest, MissingOutputNameHasEachDriversText)
{
    const struct Row {
        bool singles;
        const char* name;
        bool stops;
    } rows[] = {{false, "", true}, {false, nullptr, true}, {true, "", false}, {false, "名前", false}, {false, " ", false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.singles) + (row.name ? test::Utf8(row.name) : "(null)"));
        test::MessageBoxes().clear();
        EXPECT_EQ(CheckDropOutputName(kOwner, row.singles, row.name), row.stops);
        if (row.stops) ExpectBox("出力ファイル名を入力してください", nullptr, MB_OK);
        test::MessageBoxes().clear();
        EXPECT_EQ(CheckCommandOutputName(kOwner, row.singles, row.name), row.stops);
        if (row.stops) ExpectBox("出力ファイル名が設定されていません", nullptr, MB_OK);
        if (!row.stops) {
            EXPECT_TRUE(test::MessageBoxes().empty());
        }
    }
}

TEST(OutputChecksTest, DropOutputFolderByMode)
{
    test::TempDir dir;
    test::MakeDir(dir / "出力");
    test::MakeDir(dir / "読取専用");
    SetFileAttributesA(dir / "読取専用", FILE_ATTRIBUTE_READONLY);
    test::WriteBytes(dir / "file.txt", "x");
    const CString desktop = GetDesktopFolder();
    ASSERT_FALSE(desktop.IsEmpty());

    const struct Row {
        const char* name;
        int mode;
        CString field;
        const char* message;  // nullptr: passes
        CString folder;       // the batch's folder when it passes
    } rows[] = {
        {"empty field", OutputToFolder, "", "出力先が指定されていません", ""},
        {"existing", OutputToFolder, dir / "出力", nullptr, dir / "出力"},
        {"trailing backslash kept", OutputToFolder, dir / "出力\\", nullptr, dir / "出力\\"},
        {"read-only folder takes files, as on Windows", OutputToFolder, dir / "読取専用", nullptr, dir / "読取専用"},
        {"one missing level is created", OutputToFolder, dir / "新しい表", nullptr, dir / "新しい表"},
        {"two missing levels", OutputToFolder, dir / "無い\\下", "出力先が無効です", ""},
        {"a file is no folder", OutputToFolder, dir / "file.txt", "出力先が無効です", ""},
        {"under a file", OutputToFolder, dir / "file.txt\\sub", "出力先が無効です", ""},
        {"pattern", OutputToFolder, dir / "出*", "出力先が無効です", ""},
        {"drive root", OutputToFolder, "C:\\", nullptr, "C:\\"},
        {"beside the first item: decided later", OutputBesideSource, "ignored", nullptr, ""},
        {"desktop", OutputToDesktop, "ignored", nullptr, desktop},
        {"unknown mode reads as desktop", 7, "", nullptr, desktop},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::MessageBoxes().clear();
        CString folder("stale");
        const bool stops = CheckDropOutputFolder(kOwner, row.mode, row.field, folder);
        EXPECT_EQ(stops, row.message != nullptr);
        if (row.message) {
            ExpectBox(row.message, nullptr, MB_OK);
        } else {
            EXPECT_TRUE(test::MessageBoxes().empty());
            EXPECT_EQ(test::Utf8(folder.c_str()), test::Utf8(row.folder.c_str()));
        }
    }
    EXPECT_TRUE(IsFolder(dir / "新しい表"));
    EXPECT_FALSE(IsFolder(dir / "無い"));
}

TEST(OutputChecksTest, DropStopsWhenTheDesktopIsUnknown)
{
    DesktopMissing missing;
    CString folder;
    EXPECT_TRUE(CheckDropOutputFolder(kOwner, OutputToDesktop, "", folder));
    ExpectBox("デスクトップのパスの取得に失敗しました", nullptr, MB_ICONERROR | MB_OK);
}

TEST(OutputChecksTest, CommandDialogProposesAFolderByMode)
{
    const CString desktop = GetDesktopFolder();
    const struct Row {
        const char* name;
        int mode;
        CString expected;
    } rows[] = {
        {"stored folder", OutputToFolder, "D:\\保存先\\"},
        {"first item's folder", OutputBesideSource, "C:\\データ\\表"},
        {"desktop", OutputToDesktop, desktop},
        {"unknown mode", 0, ""},
        {"unknown mode", 4, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        bool missing = true;
        EXPECT_EQ(ProposeCommandOutputFolder(row.mode, "D:\\保存先\\", "C:\\データ\\表\\a.txt", &missing), row.expected);
        EXPECT_FALSE(missing);
    }
    DesktopMissing noDesktop;
    bool missing = false;
    EXPECT_EQ(ProposeCommandOutputFolder(OutputToDesktop, "D:\\x", "C:\\y\\z", &missing), "");
    EXPECT_TRUE(missing);
    EXPECT_EQ(ProposeCommandOutputFolder(OutputToFolder, "D:\\x", "C:\\y\\z", &missing), "D:\\x");
    EXPECT_FALSE(missing);
}

TEST(OutputChecksTest, CommandOutputFolderIsCreatedOrReported)
{
    test::TempDir dir;
    test::MakeDir(dir / "出力");
    test::WriteBytes(dir / "file.txt", "x");
    const struct Row {
        const char* name;
        CString field;
        const char* message;  // nullptr: passes
        CString folder;       // the batch's folder, or the caption of the creation failure
    } rows[] = {
        {"empty", "", "出力先が設定されていません", ""},
        {"only a backslash", "\\", "出力先が設定されていません", ""},
        {"existing", dir / "出力", nullptr, dir / "出力"},
        {"trailing backslash dropped", dir / "出力\\", nullptr, dir / "出力"},
        {"one missing level is created", dir / "ソフト", nullptr, dir / "ソフト"},
        {"two missing levels", dir / "無い\\下\\", "出力先ディレクトリの作成に失敗しました", dir / "無い\\下"},
        {"a file is no folder", dir / "file.txt", "出力先ディレクトリの作成に失敗しました", dir / "file.txt"},
        {"drive root", "C:\\", nullptr, "C:"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::MessageBoxes().clear();
        CString folder;
        const bool stops = PrepareCommandOutputFolder(kOwner, row.field, folder);
        EXPECT_EQ(stops, row.message != nullptr);
        if (!row.message) {
            EXPECT_TRUE(test::MessageBoxes().empty());
            EXPECT_EQ(test::Utf8(folder.c_str()), test::Utf8(row.folder.c_str()));
        } else if (row.folder.IsEmpty()) {
            ExpectBox(row.message, nullptr, MB_OK);
        } else {
            ExpectBox(row.message, row.folder, MB_ICONERROR | MB_OK);
        }
    }
    EXPECT_TRUE(IsFolder(dir / "ソフト"));
    EXPECT_FALSE(IsFolder(dir / "無い"));
}

} // namespace
