// The password history and the output-folder drop field in the running main
// window, worked with real messages.
#include "res/resource.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UiDriver.h"
#include "tests/ui/TestApp.h"
#include "ui/PasswordHistory.h"
#include "ui/StartDialogs.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct MainWindow {
    test::TempDir dir;
    TestApp app{dir / "Tarnel.ini"};
    CString history = HistoryFilePath();

    explicit MainWindow(const std::string& historyBytes) { test::WriteBytes(history, historyBytes); }
    ~MainWindow() { DeleteFileA(history); }

    void Run(const std::function<void(test::Ui&, HWND)>& script)
    {
        test::RunModal([&] { RunMainDialog(app); return 0; }, [&](test::Ui& ui) { script(ui, ui.WaitDialog("Tarnel")); });
    }
};

std::vector<std::string> ListEntries(HWND h)
{
    HWND list = GetDlgItem(h, IDC_HISTORY);
    std::vector<std::string> entries;
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char buf[256] = {};
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        entries.push_back(buf);
    }
    return entries;
}

void Select(HWND h, int index) { SendDlgItemMessageA(h, IDC_HISTORY, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

using Lines = std::vector<std::string>;

TEST(HistoryWindowTest, LoadsInFileOrderAndWritesBackWithCrLf)
{
    MainWindow w("a\nパス 表\r\n\r\nlast");
    w.Run([&](test::Ui& ui, HWND h) {
        EXPECT_EQ(ListEntries(h), (Lines{"a", "パス 表", "", "last"}));
        ui.Close(h);
    });
    EXPECT_EQ(test::ReadBytes(w.history), "a\r\nパス 表\r\n\r\nlast\r\n");
}

TEST(HistoryWindowTest, AddAppendsAtTheBottomWithoutTestingForDuplicates)
{
    MainWindow w("x\r\n");
    w.Run([&](test::Ui& ui, HWND h) {
        const struct {
            const char* text;
            int button;
        } adds[] = {{"x", IDOK}, {"新しい", IDOK}, {"", IDOK}, {"cancelled", IDCANCEL}};
        for (const auto& add : adds) {
            ui.Click(h, IDC_HISTORY_ADD);
            HWND dlg = ui.WaitDialog("登録するPassを入力してください", h);
            // Other test programs may hold the (shared) foreground; once ours
            // is active the dialog's focus shows.
            for (int i = 0; i < 20 && GetFocus() != GetDlgItem(dlg, IDC_HISTORY_PASS); ++i) {
                SetForegroundWindow(dlg);
                ui.Settle();
            }
            EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDC_HISTORY_PASS));
            ui.SetText(dlg, IDC_HISTORY_PASS, add.text);
            ui.Click(dlg, add.button);
            ui.WaitGone(dlg);
        }
        EXPECT_EQ(ListEntries(h), (Lines{"x", "x", "新しい"}));
        ui.Close(h);
    });
    EXPECT_EQ(test::ReadBytes(w.history), "x\r\nx\r\n新しい\r\n");
}

TEST(HistoryWindowTest, DeleteRemovesTheSelectedEntryOnlyFromTheList)
{
    MainWindow w("a\r\nb\r\nc\r\n");
    w.Run([&](test::Ui& ui, HWND h) {
        ui.Click(h, IDC_HISTORY_DELETE);  // nothing selected
        EXPECT_EQ(ListEntries(h).size(), 3u);
        Select(h, 1);
        ui.Click(h, IDC_HISTORY_DELETE);
        EXPECT_EQ(ListEntries(h), (Lines{"a", "c"}));
        EXPECT_EQ(SendDlgItemMessageA(h, IDC_HISTORY, LB_GETCURSEL, 0, 0), LB_ERR);
        EXPECT_EQ(test::ReadBytes(w.history), "a\r\nb\r\nc\r\n");  // until the window closes
        ui.Close(h);
    });
    EXPECT_EQ(test::ReadBytes(w.history), "a\r\nc\r\n");
}

TEST(HistoryWindowTest, ClearAllAsksAndEmptiesListAndFileAtOnce)
{
    MainWindow w("a\r\nb\r\n");
    w.Run([&](test::Ui& ui, HWND h) {
        test::SetMessageBoxAnswer(IDNO);
        ui.Command(h, IDM_CLEAR_HISTORY);
        EXPECT_EQ(ListEntries(h).size(), 2u);
        ASSERT_EQ(test::MessageBoxes().size(), 1u);
        EXPECT_EQ(test::MessageBoxes()[0].text, "Passの履歴がクリアされます、よろしいですか？");
        EXPECT_EQ(test::MessageBoxes()[0].caption, "確認");
        EXPECT_EQ(test::MessageBoxes()[0].type, static_cast<UINT>(MB_ICONQUESTION | MB_YESNO));
        EXPECT_EQ(test::MessageBoxes()[0].owner, h);
        EXPECT_EQ(test::ReadBytes(w.history), "a\r\nb\r\n");

        test::SetMessageBoxAnswer(IDYES);
        ui.Command(h, IDM_CLEAR_HISTORY);
        EXPECT_TRUE(ListEntries(h).empty());
        EXPECT_TRUE(test::Exists(w.history));
        EXPECT_EQ(test::ReadBytes(w.history), "");
        ui.Close(h);
    });
    EXPECT_EQ(test::ReadBytes(w.history), "");
}

TEST(HistoryWindowTest, DoubleClickTakesThePasswordAndKeepsOtherChanges)
{
    MainWindow w("one\r\n二つ 目\r\n");
    w.Run([&](test::Ui& ui, HWND h) {
        ui.Click(h, IDC_TRAY);
        const WPARAM dblclk = MAKEWPARAM(IDC_HISTORY, LBN_DBLCLK);
        PostMessageA(h, WM_COMMAND, dblclk, reinterpret_cast<LPARAM>(GetDlgItem(h, IDC_HISTORY)));
        ui.Settle();
        EXPECT_EQ(ui.Text(h, IDC_PASS), "");  // nothing selected: nothing taken
        Select(h, 1);
        PostMessageA(h, WM_COMMAND, dblclk, reinterpret_cast<LPARAM>(GetDlgItem(h, IDC_HISTORY)));
        ui.Settle();
        EXPECT_EQ(ui.Text(h, IDC_PASS), "二つ 目");
        EXPECT_EQ(ui.Check(h, IDC_TRAY), BST_CHECKED);
        ui.Close(h);
    });
}

TEST(HistoryWindowTest, AHistoryThatCannotBeReadStartsEmptyAndSilently)
{
    MainWindow w("a\r\n");
    HANDLE held = CreateFileA(w.history, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    w.Run([&](test::Ui& ui, HWND h) {
        EXPECT_TRUE(ListEntries(h).empty());
        ui.Close(h);
    });
    CloseHandle(held);
    EXPECT_TRUE(test::MessageBoxes().empty());
    EXPECT_EQ(test::ReadBytes(w.history), "a\r\n");
}

TEST(HistoryWindowTest, AFolderDroppedOnTheOutputFieldBecomesTheOutputFolder)
{
    test::TempDir dir;
    test::MakeDir(dir / "出力 表");
    test::MakeDir(dir / "二番目");
    test::WriteBytes(dir / "file.txt", "x");
    test::MakeDir(dir / "隠し");
    SetFileAttributesA(dir / "隠し", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    MainWindow w("");
    w.Run([&](test::Ui& ui, HWND h) {
        HWND field = GetDlgItem(h, IDC_OUTDIR);
        ui.SetText(h, IDC_PASS, "typed");
        ui.Drop(field, {(dir / "file.txt").c_str()});
        ui.Drop(field, {"C:\\"});
        EXPECT_EQ(ui.Text(h, IDC_OUTDIR), "");
        EXPECT_EQ(ui.Check(h, IDC_OUT_DESKTOP), BST_CHECKED);

        ui.Drop(field, {(dir / "出力 表").c_str(), (dir / "二番目").c_str(), (dir / "file.txt").c_str()});
        EXPECT_EQ(ui.Text(h, IDC_OUTDIR), dir / "出力 表");
        EXPECT_EQ(ui.Check(h, IDC_OUT_FOLDER), BST_CHECKED);
        EXPECT_EQ(ui.Check(h, IDC_OUT_DESKTOP), BST_UNCHECKED);
        EXPECT_EQ(ui.Text(h, IDC_PASS), "typed");

        ui.Drop(field, {(dir / "隠し").c_str()});
        EXPECT_EQ(ui.Text(h, IDC_OUTDIR), dir / "隠し");
        ui.Close(h);
    });
    EXPECT_EQ(w.app.Saved("OutputMode"), 1);
    EXPECT_EQ(w.app.SavedText("OutDir"), dir / "隠し");
}

} // namespace
