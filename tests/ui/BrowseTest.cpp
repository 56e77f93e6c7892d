// The folder-browse dialogs of Hobrin.dll, driven through the shell's real
// dialog: the script selects an item the way the dialog's callback does and
// presses OK or Cancel.
#include "lib/BrowseFor.h"
#include "tests/ui/BrowseSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UiDriver.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

// Every BFFM_SETSELECTIONA the dialogs of this thread receive.
std::vector<std::string> g_selections;

LRESULT CALLBACK WatchSelections(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && msg->message == BFFM_SETSELECTIONA)
        g_selections.push_back(msg->wParam ? reinterpret_cast<const char*>(msg->lParam) : "(item list)");
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The text of the tree item that has the selection.
CString SelectedItem(HWND dialog)
{
    HWND tree = FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr);
    TVITEMA item{};
    char text[MAX_PATH] = {};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    if (!item.hItem || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return CString();
    return CString(text);
}

// Selects path in the dialog as a click on it would (coming from another
// item, so that the dialog hears of the change), and checks that it took.
void Select(test::Ui& ui, HWND dialog, const char* path)
{
    SHFILEINFOA info{};
    SHGetFileInfoA(path, 0, &info, sizeof info, SHGFI_DISPLAYNAME);
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>("C:\\windows"));
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path));
    ui.Settle();
    EXPECT_EQ(SelectedItem(dialog), info.szDisplayName) << test::Utf8(path);
}

// Runs browse.DoModal() and, in the dialog, selects path (unless null) and
// presses button; selections holds what the dialog was told to select.
bool Browse(CBrowseForResource& browse, const char* path, int button, std::vector<std::string>* selections = nullptr)
{
    bool chosen = false;
    g_selections.clear();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, &WatchSelections, nullptr, GetCurrentThreadId());
    test::RunModal([&] { chosen = browse.DoModal(); return 0; }, [&](test::Ui& ui) {
        HWND h = ui.WaitDialog();
        if (selections) *selections = g_selections;
        if (path) Select(ui, h, path);
        ui.Click(h, button);
        ui.WaitGone(h);
    });
    UnhookWindowsHookEx(hook);
    return chosen;
}

TEST(BrowseTest, InitialFolderIsSelectedAndConfirmedAsIs)
{
    test::TempDir dir(kBrowseRoot);
    const CString out = dir / "出力 表";
    test::MakeDir(out);
    SettleForBrowsing(out);
    CBrowseForDirectory browse(nullptr, "出力先を選択してください", out);
    EXPECT_EQ(browse.GetDirectoryName(), "");
    std::vector<std::string> selections;
    ASSERT_TRUE(Browse(browse, nullptr, IDOK, &selections));
    EXPECT_EQ(selections, std::vector<std::string>{out.str()});
    EXPECT_EQ(browse.GetDirectoryDir(), out);
    EXPECT_EQ(browse.GetDirectoryPath(), out + "\\");
    EXPECT_EQ(browse.GetDirectoryName(), "出力 表");
}

TEST(BrowseTest, ChoosingASubfolderGivesItsDirPathAndName)
{
    test::TempDir dir(kBrowseRoot);
    const CString sub = dir / "ソフト";
    test::MakeDir(sub);
    SettleForBrowsing(sub);
    CBrowseForDirectory browse(nullptr, "選択", dir.Path());
    ASSERT_TRUE(Browse(browse, sub, IDOK));
    EXPECT_EQ(browse.GetDirectoryDir(), sub);
    EXPECT_EQ(browse.GetDirectoryPath(), sub + "\\");
    EXPECT_EQ(browse.GetDirectoryName(), "ソフト");
}

TEST(BrowseTest, DriveRootKeepsItsBackslashOnlyInPathForm)
{
    CBrowseForDirectory browse;
    ASSERT_TRUE(Browse(browse, "C:\\", IDOK));
    EXPECT_EQ(browse.GetDirectoryPath(), "C:\\");
    EXPECT_EQ(browse.GetDirectoryDir(), "C:");
    EXPECT_EQ(browse.GetDirectoryName(), "C:");
}

TEST(BrowseTest, CancelReturnsFalseAndKeepsTheNameEmpty)
{
    test::TempDir dir(kBrowseRoot);
    CBrowseForDirectory browse(nullptr, nullptr, dir.Path());
    EXPECT_FALSE(Browse(browse, nullptr, IDCANCEL));
    EXPECT_EQ(browse.GetDirectoryName(), "");

    // No initial folder, or an empty one: the dialog keeps its own choice.
    for (const char* none : {static_cast<const char*>(nullptr), ""}) {
        CBrowseForDirectory plain(nullptr, nullptr, none);
        std::vector<std::string> selections;
        EXPECT_FALSE(Browse(plain, nullptr, IDCANCEL, &selections));
        EXPECT_TRUE(selections.empty());
    }
}

TEST(BrowseTest, FileBrowserAcceptsAFileAndAFolder)
{
    test::TempDir dir(kBrowseRoot);
    const CString data = dir / "データ";
    test::MakeDir(data);
    const CString file = data + "\\report.final.txt";
    test::WriteBytes(file, "x");
    SettleForBrowsing(data);

    CBrowseForFile browseFile(nullptr, nullptr, data);
    ASSERT_TRUE(Browse(browseFile, file, IDOK));
    EXPECT_EQ(browseFile.GetFilePath(), file);
    EXPECT_EQ(browseFile.GetFileDir(), file);
    EXPECT_EQ(browseFile.GetFileName(), "report.final.txt");
    EXPECT_EQ(browseFile.GetFileTitle(), "report.final");
    EXPECT_EQ(browseFile.GetFileExt(), ".txt");
    EXPECT_EQ(browseFile.GetDriveName(), CString(dir.Path().Left(1)));

    CBrowseForFile browseFolder(nullptr, nullptr, data);
    ASSERT_TRUE(Browse(browseFolder, data, IDOK));
    EXPECT_EQ(browseFolder.GetFileDir(), data);
    EXPECT_EQ(browseFolder.GetFileName(), "データ");
}

} // namespace
