// The command-line dialog run in process with a prepared INI file and history
// file, worked with real messages, packing with the real archiver beside this
// test program (build/bin/cmd, so its PassList.dat is this program's alone).
#include "framework/MessageBox.h"
#include "pack/DesktopFolder.h"
#include "res/resource.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UiDriver.h"
#include "tests/ui/BrowseSupport.h"
#include "tests/ui/TestApp.h"
#include "ui/CmdDlg.h"
#include "ui/PasswordHistory.h"
#include "ui/StartDialogs.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <functional>
#include <string>
#include <vector>

namespace {

const int kChecks[] = {IDC_CMD_SINGLES, IDC_CMD_TRAY, IDC_CMD_MSG};

CString g_desktop;
CString FakeDesktop() { return g_desktop; }

struct CmdWindow {
    test::TempDir dir;
    CString ini = dir / "Tarnel.ini";
    TestApp app{ini};
    CString history = HistoryFilePath();
    DesktopFolderLookup shell;

    CmdWindow()
    {
        DeleteFileA(history);
        g_desktop = dir / "デスクトップ";
        test::MakeDir(g_desktop);
        shell = SetDesktopFolderLookup(FakeDesktop);
    }
    ~CmdWindow()
    {
        SetDesktopFolderLookup(shell);
        DeleteFileA(history);
    }

    // A file of the batch, made with a little text.
    CString File(const char* name)
    {
        const CString path = dir / name;
        test::WriteBytes(path, std::string("contents of ") + name);
        return path;
    }

    // Runs the dialog over items as start-up does and hands it to script;
    // the dialog's result.
    INT_PTR Run(const std::vector<CString>& items, const std::function<void(test::Ui&, HWND)>& script)
    {
        return test::RunModal([&] { CCmdDlg dlg(items); return dlg.DoModal(); }, [&](test::Ui& ui) {
            HWND h = ui.WaitDialog("Tarnel");
            script(ui, h);
        });
    }
};

CCmdDlg* Dlg(HWND h) { return static_cast<CCmdDlg*>(CWnd::FromHandlePermanent(h)); }

bool IsZip(const char* path) { return test::ReadBytes(path).rfind("PK\x03\x04", 0) == 0; }

// Gives control the keyboard focus as a person's click would.
void Focus(test::Ui& ui, HWND h, HWND control)
{
    for (int i = 0; i < 20 && GetFocus() != control; ++i) {
        SetForegroundWindow(h);
        SetFocus(control);
        ui.Settle();
    }
    ASSERT_EQ(GetFocus(), control);
}

// The texts of the message boxes so far, readable in failure messages.
std::vector<std::string> Texts()
{
    std::vector<std::string> texts;
    for (const auto& box : test::MessageBoxes()) texts.push_back(test::Utf8(box.text));
    return texts;
}

std::vector<std::string> Texts(std::initializer_list<const char*> cp932)
{
    std::vector<std::string> texts;
    for (const char* text : cp932) texts.push_back(test::Utf8(text));
    return texts;
}

TEST(CmdDlgTest, OpensWithTheSavedOptionsAndTheHistory)
{
    const struct {
        const char* name;
        std::string ini;
        bool checked;       // Singles, Tray and Msg
        const char* outDir; // expected field text; nullptr: the (fake) desktop
        bool desktopFound;
    } rows[] = {
        {"nothing saved", "", false, nullptr, true},
        {"folder mode", "[Main]\r\nOutputMode=1\r\nOutDir=C:\\出力\\表\r\nSingles=1\r\nTray=1\r\nMsg=1\r\n", true,
         "C:\\出力\\表", true},
        {"beside the first item", "[Main]\r\nOutputMode=2\r\nOutDir=C:\\unused\r\nSingles=5\r\nTray=-1\r\nMsg=1\r\n",
         true, "C:\\一\\表", true},
        {"unknown mode", "[Main]\r\nOutputMode=7\r\nOutDir=C:\\unused\r\n", false, "", true},
        {"desktop not found", "[Main]\r\nOutputMode=3\r\n", false, "", false},
    };
    const std::vector<CString> items{"C:\\一\\表\\ソ.txt", "D:\\二\\b.txt"};
    for (const auto& r : rows) {
        CmdWindow w;
        test::WriteBytes(w.ini, r.ini);
        test::WriteBytes(w.history, "first\r\n\r\n秘密 表\r\nlast");
        if (!r.desktopFound) g_desktop.Empty();
        int status = -99;
        w.Run(items, [&](test::Ui& ui, HWND h) {
            for (int id : kChecks) EXPECT_EQ(ui.Check(h, id), r.checked ? BST_CHECKED : BST_UNCHECKED) << r.name << id;
            EXPECT_EQ(ui.Enabled(h, IDC_CMD_FILENAME), !r.checked) << r.name;
            EXPECT_EQ(ui.Text(h, IDC_CMD_OUTDIR), r.outDir ? CString(r.outDir) : g_desktop) << r.name;
            EXPECT_EQ(ui.Text(h, IDC_CMD_FILENAME), "") << r.name;
            EXPECT_EQ(ui.Text(h, IDC_CMD_PASS), "") << r.name;
            EXPECT_EQ(EntriesOf(Dlg(h)->m_comboPass), (std::vector<CString>{"first", "", "秘密 表", "last"})) << r.name;
            EXPECT_NE(SendMessageA(h, WM_GETICON, ICON_BIG, 0), 0) << r.name;
            EXPECT_NE(SendMessageA(h, WM_GETICON, ICON_SMALL, 0), 0) << r.name;
            EXPECT_EQ(GetWindow(GetDlgItem(h, IDC_CMD_OUTDIR), GW_HWNDFIRST), GetDlgItem(h, IDC_CMD_OUTDIR)) << r.name;
            status = Dlg(h)->m_nStatus;
            ui.Close(h);
        });
        EXPECT_EQ(status, r.desktopFound ? 0 : CCmdDlg::kStatusNoDesktop) << r.name;
        // Closing without packing saves nothing.
        EXPECT_EQ(test::ReadBytes(w.ini), r.ini) << r.name;
        EXPECT_EQ(test::ReadBytes(w.history), "first\r\n\r\n秘密 表\r\nlast") << r.name;
    }
}

TEST(CmdDlgTest, TheStartButtonHasTheFocusAndTheSystemMenuTheAboutBox)
{
    CmdWindow w;
    w.Run({w.File("a.txt")}, [&](test::Ui& ui, HWND h) {
        // Once active, the dialog gives the focus back to where it was put.
        for (int i = 0; i < 20 && !GetFocus(); ++i) {
            SetForegroundWindow(h);
            ui.Settle();
        }
        EXPECT_EQ(GetFocus(), GetDlgItem(h, IDC_CMD_START));

        HMENU sys = GetSystemMenu(h, FALSE);
        const int last = GetMenuItemCount(sys) - 1;
        char text[100] = {};
        GetMenuStringA(sys, last, text, sizeof text, MF_BYPOSITION);
        EXPECT_EQ(std::string(text), "バージョン情報 Tarnel(&A)...");
        EXPECT_EQ(GetMenuItemID(sys, last), static_cast<UINT>(IDM_ABOUTBOX));
        EXPECT_EQ(GetMenuState(sys, last - 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));

        for (UINT command : {IDM_ABOUTBOX, IDM_ABOUTBOX | 0x3}) {
            ui.SysCommand(h, command);
            HWND about = ui.WaitDialog("バージョン情報 Tarnel");
            // Owned by this dialog, which waits meanwhile.
            EXPECT_EQ(GetWindow(about, GW_OWNER), h);
            EXPECT_FALSE(IsWindowEnabled(h));
            ui.Click(about, IDOK);
            ui.WaitGone(about);
            EXPECT_TRUE(IsWindowEnabled(h));
        }
        ui.Close(h);
    });
}

TEST(CmdDlgTest, EveryWayOfCancellingSavesNothing)
{
    const struct {
        const char* name;
        std::function<void(test::Ui&, HWND)> close;
    } ways[] = {
        {"Cancel button", [](test::Ui& ui, HWND h) { ui.Click(h, IDCANCEL); }},
        {"Esc", [](test::Ui& ui, HWND h) { ui.Key(GetDlgItem(h, IDC_CMD_FILENAME), VK_ESCAPE); }},
        {"close box", [](test::Ui& ui, HWND h) { ui.SysCommand(h, SC_CLOSE); }},
        {"Return on Cancel", [](test::Ui& ui, HWND h) {
             Focus(ui, h, GetDlgItem(h, IDCANCEL));
             ui.Key(GetDlgItem(h, IDCANCEL), VK_RETURN);
         }},
    };
    for (const auto& way : ways) {
        CmdWindow w;
        const std::string ini = "[Main]\r\nOutputMode=1\r\nOutDir=C:\\old\r\n";
        test::WriteBytes(w.ini, ini);
        test::WriteBytes(w.history, "a\nb");
        const INT_PTR result = w.Run({w.File("a.txt")}, [&](test::Ui& ui, HWND h) {
            ui.SetText(h, IDC_CMD_FILENAME, "書類");
            ui.SetText(h, IDC_CMD_OUTDIR, w.dir / "out");
            ui.SetText(h, IDC_CMD_PASS, "new pass");
            for (int id : kChecks) ui.Click(h, id);
            way.close(ui, h);
            ui.WaitGone(h);
        });
        EXPECT_EQ(result, IDCANCEL) << way.name;
        EXPECT_EQ(test::ReadBytes(w.ini), ini) << way.name;
        EXPECT_EQ(test::ReadBytes(w.history), "a\nb") << way.name;
        EXPECT_FALSE(test::Exists(w.dir / "out")) << way.name;
        EXPECT_TRUE(test::MessageBoxes().empty()) << way.name;
    }
}

TEST(CmdDlgTest, StartPacksEveryItemIntoOneArchiveThenSavesAndCloses)
{
    CmdWindow w;
    test::WriteBytes(w.ini, "[Main]\r\nOutputMode=1\r\nOutDir=C:\\old\r\nRect_top=5\r\n");
    test::WriteBytes(w.history, "old\r\n秘密 pass\r\nx\r\n秘密 pass\r\n");
    const CString folder = w.dir / "写真 集";
    test::MakeDir(folder);
    test::WriteBytes(folder + "\\ソ.txt", "inside");
    const std::vector<CString> items{w.File("表 1.txt"), folder, w.File("能.txt")};
    const CString out = w.dir / "出力";
    const INT_PTR result = w.Run(items, [&](test::Ui& ui, HWND h) {
        ui.SetText(h, IDC_CMD_FILENAME, "書類");
        ui.SetText(h, IDC_CMD_OUTDIR, out + "\\");  // missing: made when the batch starts
        ui.SetText(h, IDC_CMD_PASS, "秘密 pass");
        ui.Click(h, IDC_CMD_MSG);
        ui.Click(h, IDC_CMD_START);
        ui.WaitGone(h);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(IsZip(out + "\\書類.zip"));
    ASSERT_EQ(test::MessageBoxes().size(), 1u);
    EXPECT_EQ(test::MessageBoxes()[0].text, "正常に終了しました");
    EXPECT_EQ(test::MessageBoxes()[0].caption, "完了");
    EXPECT_EQ(test::MessageBoxes()[0].type, static_cast<UINT>(MB_OK));
    // The folder without its final backslash; the mode and the name are not this dialog's to save.
    EXPECT_EQ(test::ReadBytes(w.ini),
              "[Main]\r\nOutputMode=1\r\nOutDir=" + out.str() + "\r\nRect_top=5\r\nSingles=0\r\nTray=0\r\nMsg=1\r\n");
    // The password moves to the top from its first place; the second copy stays.
    EXPECT_EQ(test::ReadBytes(w.history), "秘密 pass\r\nold\r\nx\r\n秘密 pass\r\n");
}

TEST(CmdDlgTest, SinglesGiveEachItemItsOwnArchiveAndAnEmptyPasswordLeavesTheHistory)
{
    CmdWindow w;
    test::WriteBytes(w.ini, "[Main]\r\nOutputMode=3\r\nSingles=1\r\nTray=1\r\n");
    test::WriteBytes(w.history, "a\nb");
    const CString folder = w.dir / "old.photos";
    test::MakeDir(folder);
    test::WriteBytes(folder + "\\x.txt", "x");
    const std::vector<CString> items{w.File("report.final.doc"), folder, w.File("表")};
    const INT_PTR result = w.Run(items, [&](test::Ui& ui, HWND h) {
        ui.SetText(h, IDC_CMD_OUTDIR, w.dir / "ignored but typed");
        ui.SetText(h, IDC_CMD_OUTDIR, g_desktop);
        ui.Click(h, IDC_CMD_START);
        ui.WaitGone(h);
    });
    EXPECT_EQ(result, IDOK);
    for (const char* name : {"report.final.zip", "old.photos.zip", "表.zip"}) EXPECT_TRUE(IsZip(g_desktop + "\\" + name)) << name;
    EXPECT_TRUE(test::MessageBoxes().empty());
    EXPECT_EQ(test::ReadBytes(w.ini), "[Main]\r\nOutputMode=3\r\nSingles=1\r\nTray=1\r\nMsg=0\r\n");
    EXPECT_EQ(test::ReadBytes(w.history), "a\nb");
}

TEST(CmdDlgTest, ChecksStopTheBatchBeforeAnythingChanges)
{
    const std::string longName(250, 'n');
    const struct {
        const char* name;
        std::string fileName;
        const char* folder;  // under the test folder; nullptr for an empty field
        std::string text;    // the message, or its start
        bool folderCaption;  // else the application title or kForbiddenNameChars
        UINT type;
    } rows[] = {
        {"no file name", "", "out", "出力ファイル名が設定されていません", false, MB_OK},
        {"no folder", "書類", nullptr, "出力先が設定されていません", false, MB_OK},
        {"folder two levels down", "書類", "missing\\out", "出力先ディレクトリの作成に失敗しました", true,
         MB_ICONERROR | MB_OK},
        {"forbidden character", "a:b", "out", "ファイル名に使用できない文字が含まれています", false, MB_OK},
        {"archive path too long", longName, "out", "出力ファイルのパスが長すぎます\n", false, MB_ICONERROR | MB_OK},
    };
    for (const auto& r : rows) {
        test::MessageBoxes().clear();
        CmdWindow w;
        const CString folder = r.folder ? w.dir / r.folder : CString();
        w.Run({w.File("a.txt")}, [&](test::Ui& ui, HWND h) {
            ui.SetText(h, IDC_CMD_FILENAME, r.fileName.c_str());
            ui.SetText(h, IDC_CMD_OUTDIR, folder);
            ui.SetText(h, IDC_CMD_PASS, "pass");
            ui.Click(h, IDC_CMD_START);
            ASSERT_EQ(test::MessageBoxes().size(), 1u) << r.name;
            const auto& box = test::MessageBoxes()[0];
            EXPECT_EQ(box.text.substr(0, r.text.size()), r.text) << r.name;
            const std::string caption = r.folderCaption ? folder.str()
                                        : r.fileName == "a:b" ? std::string("\\/:*?\"<>|")
                                                              : std::string(ModuleTitle());
            EXPECT_EQ(box.caption, caption) << r.name;
            EXPECT_EQ(box.type, r.type) << r.name;
            EXPECT_EQ(GetParent(box.owner) == h || box.owner == h, true) << r.name;
            char title[64] = {};
            GetWindowTextA(h, title, sizeof title);
            EXPECT_STREQ(title, "Tarnel") << r.name;
            EXPECT_TRUE(IsWindowEnabled(h)) << r.name;
            ui.Click(h, IDCANCEL);
            ui.WaitGone(h);
        });
        EXPECT_FALSE(test::Exists(w.ini)) << r.name;
        EXPECT_EQ(test::ReadBytes(w.history), "") << r.name;
        EXPECT_FALSE(test::Exists(w.dir / "out\\書類.zip")) << r.name;
    }
}

TEST(CmdDlgTest, AFailedItemStopsTheBatchAndGivesTheWindowBack)
{
    for (const bool tray : {false, true}) {
        test::MessageBoxes().clear();
        CmdWindow w;
        test::WriteBytes(w.ini, tray ? "[Main]\r\nSingles=1\r\nTray=1\r\n" : "[Main]\r\nSingles=1\r\n");
        test::WriteBytes(w.history, "a\r\n");
        const CString missing = w.dir / "無い 表.txt";
        const std::vector<CString> items{w.File("first.txt"), missing, w.File("third.txt")};
        w.Run(items, [&](test::Ui& ui, HWND h) {
            ui.SetText(h, IDC_CMD_PASS, "pass");
            ui.Click(h, IDC_CMD_START);
            ASSERT_EQ(test::MessageBoxes().size(), 1u) << tray << ::testing::PrintToString(Texts());
            EXPECT_EQ(test::MessageBoxes()[0].text, "圧縮エラーが発生しました");
            EXPECT_EQ(test::MessageBoxes()[0].caption, missing.str());
            EXPECT_EQ(test::MessageBoxes()[0].type, static_cast<UINT>(MB_ICONERROR | MB_OK));
            // Shown again as it was, still open for another try.
            char title[64] = {};
            GetWindowTextA(h, title, sizeof title);
            EXPECT_STREQ(title, "Tarnel");
            EXPECT_TRUE(IsWindowVisible(h)) << tray;
            EXPECT_FALSE(IsIconic(h)) << tray;
            EXPECT_TRUE(IsWindowEnabled(h)) << tray;
            ui.Click(h, IDCANCEL);
            ui.WaitGone(h);
        });
        EXPECT_TRUE(IsZip(g_desktop + "\\first.zip")) << tray;
        EXPECT_FALSE(test::Exists(g_desktop + "\\無い 表.zip")) << tray;
        EXPECT_FALSE(test::Exists(g_desktop + "\\third.zip")) << tray;
        EXPECT_EQ(test::ReadBytes(w.history), "a\r\n") << tray;
        EXPECT_EQ(w.app.Saved("Msg"), -12345) << tray;
    }
}

TEST(CmdDlgTest, ReturnStartsTheBatchOnceAndGoesNoFurther)
{
    // A stopped start keeps the dialog open: passed on, the press would close it.
    {
        CmdWindow w;
        w.Run({w.File("a.txt")}, [&](test::Ui& ui, HWND h) {
            HWND name = GetDlgItem(h, IDC_CMD_FILENAME);
            Focus(ui, h, name);
            ui.Key(name, VK_RETURN);
            EXPECT_EQ(Texts(), Texts({"出力ファイル名が設定されていません"}));
            EXPECT_TRUE(IsWindowVisible(h));
            // A bad name typed and started from its own field: one message, not two.
            test::MessageBoxes().clear();
            ui.SetText(h, IDC_CMD_FILENAME, "a|b");
            ui.Key(name, VK_RETURN);
            EXPECT_EQ(Texts(), Texts({"ファイル名に使用できない文字が含まれています"}));
            EXPECT_EQ(ui.Text(h, IDC_CMD_FILENAME), "");
            EXPECT_EQ(GetFocus(), name);
            // An open password list takes Return for itself.
            test::MessageBoxes().clear();
            HWND combo = GetDlgItem(h, IDC_CMD_PASS);
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("entry"));
            Focus(ui, h, GetWindow(combo, GW_CHILD));
            SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
            ASSERT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
            ui.Key(GetWindow(combo, GW_CHILD), VK_RETURN);
            EXPECT_TRUE(test::MessageBoxes().empty());
            EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
            EXPECT_TRUE(IsWindowVisible(h));
            // Typed ahead while the dialog is busy (disabled or hidden): dropped.
            ui.SetText(h, IDC_CMD_FILENAME, "書類");
            test::MessageBoxes().clear();
            for (const bool hide : {false, true}) {
                hide ? ShowWindow(h, SW_HIDE) : EnableWindow(h, FALSE);
                ui.Key(GetDlgItem(h, IDC_CMD_START), VK_RETURN);
                hide ? ShowWindow(h, SW_SHOW) : EnableWindow(h, TRUE);
            }
            EXPECT_TRUE(test::MessageBoxes().empty());
            EXPECT_FALSE(test::Exists(g_desktop + "\\書類.zip"));
            EXPECT_TRUE(IsWindow(h));
            ui.Click(h, IDCANCEL);
            ui.WaitGone(h);
        });
        EXPECT_FALSE(test::Exists(w.ini));
    }
    // A finished batch: packed and saved once, one completion message, even on
    // the focused start button and from a check box.
    for (const int from : {IDC_CMD_START, IDC_CMD_TRAY}) {
        test::MessageBoxes().clear();
        CmdWindow w;
        test::WriteBytes(w.ini, "[Main]\r\nMsg=1\r\n");
        const INT_PTR result = w.Run({w.File("a.txt")}, [&](test::Ui& ui, HWND h) {
            ui.SetText(h, IDC_CMD_FILENAME, "書類");
            Focus(ui, h, GetDlgItem(h, from));
            ui.Key(GetDlgItem(h, from), VK_RETURN);
            ui.WaitGone(h);
        });
        EXPECT_EQ(result, IDOK) << from;
        EXPECT_EQ(Texts(), Texts({"正常に終了しました"})) << from;
        EXPECT_TRUE(IsZip(g_desktop + "\\書類.zip")) << from;
    }
}

TEST(CmdDlgTest, TheFileNameIsCheckedWhenItsFieldLosesTheFocus)
{
    const struct {
        const char* typed;
        const char* message;  // nullptr: accepted
    } rows[] = {
        {"a:b", "ファイル名に使用できない文字が含まれています"},
        {".名前", "\".\"から始まるファイル名は指定できません"},
        {"表ソ能", nullptr},
        {"", nullptr},
    };
    CmdWindow w;
    w.Run({w.File("a.txt")}, [&](test::Ui& ui, HWND h) {
        HWND name = GetDlgItem(h, IDC_CMD_FILENAME);
        for (const auto& r : rows) {
            Focus(ui, h, name);
            ui.SetText(h, IDC_CMD_FILENAME, r.typed);
            test::MessageBoxes().clear();
            SetFocus(GetDlgItem(h, IDC_CMD_SINGLES));  // as a click there would
            ui.Settle();
            EXPECT_EQ(Texts(), r.message ? Texts({r.message}) : Texts({}))
                << test::Utf8(r.typed);
            EXPECT_EQ(ui.Text(h, IDC_CMD_FILENAME), r.message ? "" : r.typed) << test::Utf8(r.typed);
            EXPECT_EQ(GetFocus(), r.message ? name : GetDlgItem(h, IDC_CMD_SINGLES)) << test::Utf8(r.typed);
        }
        ui.Close(h);
    });
}

TEST(CmdDlgTest, SinglesTurnsTheFileNameOffAndOn)
{
    CmdWindow w;
    w.Run({w.File("a.txt")}, [&](test::Ui& ui, HWND h) {
        EXPECT_TRUE(ui.Enabled(h, IDC_CMD_FILENAME));
        ui.Click(h, IDC_CMD_SINGLES);
        EXPECT_FALSE(ui.Enabled(h, IDC_CMD_FILENAME));
        EXPECT_TRUE(Dlg(h)->m_bSingles);
        ui.Click(h, IDC_CMD_SINGLES);
        EXPECT_TRUE(ui.Enabled(h, IDC_CMD_FILENAME));
        ui.Close(h);
    });
}

TEST(CmdDlgTest, HelpOpensContext52)
{
    CmdWindow w;
    w.Run({w.File("a.txt")}, [&](test::Ui& ui, HWND h) {
        HELPINFO info{sizeof info, HELPINFO_WINDOW, IDC_CMD_START, GetDlgItem(h, IDC_CMD_START), 0, {0, 0}};
        SendMessageA(h, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        Dlg(h)->WinHelp(7, HELP_CONTEXTPOPUP);
        ui.Close(h);
    });
    const std::vector<std::pair<DWORD_PTR, UINT>> expected{{52, HELP_CONTEXT}, {52, HELP_CONTEXTPOPUP}};
    EXPECT_EQ(w.app.helps, expected);
}

TEST(CmdDlgTest, BrowseAndDropSetTheOutputFolder)
{
    CmdWindow w;
    const BrowseFolders folders;
    const CString& start = folders.start;
    const CString& chosen = folders.chosen;
    w.Run({w.File("a.txt")}, [&](test::Ui& ui, HWND h) {
        ui.SetText(h, IDC_CMD_OUTDIR, start + "\\");
        ui.Click(h, IDC_CMD_BROWSE);
        HWND browse = ui.WaitDialog(nullptr, h);
        ui.Click(browse, IDCANCEL);
        ui.WaitGone(browse);
        EXPECT_EQ(ui.Text(h, IDC_CMD_OUTDIR), start + "\\");

        ui.Click(h, IDC_CMD_BROWSE);
        browse = ui.WaitDialog(nullptr, h);
        SendMessageA(browse, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(chosen.c_str()));
        ui.Click(browse, IDOK);
        ui.WaitGone(browse);
        EXPECT_EQ(ui.Text(h, IDC_CMD_OUTDIR), chosen);

        ui.Drop(GetDlgItem(h, IDC_CMD_OUTDIR), {w.dir.Path().str()});
        EXPECT_EQ(ui.Text(h, IDC_CMD_OUTDIR), w.dir.Path());
        ui.Close(h);
    });
}

TEST(CmdDlgTest, StartUpShowsTheDialogOnlyForUsablePaths)
{
    {
        CmdWindow w;
        g_desktop.Empty();  // found missing while the dialog opens: it still opens
        test::RunModal([&] { RunCommandDialog(w.app, L"Tarnel.exe \"C:\\a b\\表\""); return 0; },
                       [&](test::Ui& ui) {
                           HWND h = ui.WaitDialog("Tarnel");
                           EXPECT_EQ(ui.Text(h, IDC_CMD_OUTDIR), "");
                           ui.Click(h, IDC_CMD_START);
                           ui.SetText(h, IDC_CMD_FILENAME, "x");
                           ui.Click(h, IDC_CMD_START);
                           ui.Close(h);
                       });
        EXPECT_EQ(Texts(), (Texts({"出力ファイル名が設定されていません", "出力先が設定されていません"})));
    }
    const struct {
        const wchar_t* line;
        const char* text;
    } rows[] = {
        {L"Tarnel.exe \"\"", "圧縮するファイルが指定されていません"},
        {L"Tarnel.exe caf\u00e9", "圧縮するファイルのパスに使用できない文字が含まれています\ncaf?"},
    };
    for (const auto& r : rows) {
        CmdWindow w;
        test::MessageBoxes().clear();
        RunCommandDialog(w.app, r.line);
        EXPECT_EQ(Texts(), Texts({r.text}));
        EXPECT_TRUE(test::ThreadWindows().empty());
    }
}

TEST(CmdDlgTest, StartUpStatusMessages)
{
    const struct {
        int status;
        const char* text;
    } rows[] = {
        {-1, "不明なエラーが発生しました"},
        {1, "デスクトップのパスの取得に失敗しました"},
        {2, "対象ファイルの情報の取得に失敗しました"},
        {0, nullptr},
        {3, nullptr},
        {-2, nullptr},
    };
    for (const auto& r : rows) {
        const char* text = CommandDialogStatusMessage(r.status);
        EXPECT_EQ(text ? std::string(text) : "(none)", r.text ? r.text : "(none)") << r.status;
    }
}

} // namespace
