// The main window run as the program runs it, with a prepared INI file,
// worked with real messages, and the INI it writes when it closes.
#include "res/resource.h"
#include "tests/ui/BrowseSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UiDriver.h"
#include "tests/ui/TestApp.h"
#include "ui/MainDlg.h"
#include "ui/StartDialogs.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <functional>
#include <string>

namespace {

const int kRadios[] = {IDC_OUT_FOLDER, IDC_OUT_BESIDE, IDC_OUT_DESKTOP};
const int kChecks[] = {IDC_SINGLES, IDC_TRAY, IDC_MSG, IDC_AUTOFINISH};

struct MainWindow {
    test::TempDir dir;
    CString ini = dir / "Tarnel.ini";
    TestApp app{ini};

    // Opens the main window as start-up does and hands it to script.
    void Run(const std::function<void(test::Ui&, HWND)>& script)
    {
        test::RunModal([&] { RunMainDialog(app); return 0; }, [&](test::Ui& ui) {
            HWND h = ui.WaitDialog("Tarnel");
            script(ui, h);
        });
    }
};

CMainDlg* Dlg(HWND h) { return static_cast<CMainDlg*>(CWnd::FromHandlePermanent(h)); }

int SelectedRadio(test::Ui& ui, HWND h)
{
    int selected = 0;
    for (int i = 0; i < 3; ++i) {
        if (ui.Check(h, kRadios[i]) == BST_CHECKED) selected = selected ? -1 : i + 1;
    }
    return selected;  // -1: more than one
}

RECT WorkArea(HWND h)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromWindow(h, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

TEST(MainDlgTest, FirstStartShowsDefaultsAndClosingWritesAllTenKeys)
{
    MainWindow w;
    w.Run([&](test::Ui& ui, HWND h) {
        EXPECT_EQ(SelectedRadio(ui, h), 3);
        for (int id : kChecks) EXPECT_EQ(ui.Check(h, id), BST_UNCHECKED) << id;
        EXPECT_EQ(ui.Text(h, IDC_OUTDIR), "");
        EXPECT_EQ(ui.Text(h, IDC_FILENAME), "");
        EXPECT_EQ(ui.Text(h, IDC_PASS), "");
        EXPECT_TRUE(ui.Enabled(h, IDC_FILENAME));
        // Another test program may hold the (shared) foreground; once ours is
        // active the dialog gives the focus back to the control that had it.
        for (int i = 0; i < 20 && !GetFocus(); ++i) {
            SetForegroundWindow(h);
            ui.Settle();
        }
        EXPECT_EQ(GetFocus(), GetDlgItem(h, IDC_PASS));
        EXPECT_EQ(w.app.m_pMainWnd, Dlg(h));
        ui.Close(h);
    });
    EXPECT_EQ(test::ReadBytes(w.ini),
              "[Main]\r\nOutputMode=3\r\nSingles=0\r\nTray=0\r\nMsg=0\r\nAutoFinish=0\r\nOutDir=\r\n"
              "Rect_top=0\r\nRect_bottom=0\r\nRect_left=0\r\nRect_right=0\r\n");
    EXPECT_EQ(w.app.m_pMainWnd, nullptr);
}

TEST(MainDlgTest, SavedSettingsAreShownAndKept)
{
    MainWindow w;
    test::WriteBytes(w.ini, "[Main]\r\nOutputMode=1\r\nSingles=1\r\nOutDir=C:\\出力\\表\r\nTray=1\r\nMsg=1\r\nAutoFinish=1\r\n");
    w.Run([&](test::Ui& ui, HWND h) {
        EXPECT_EQ(SelectedRadio(ui, h), 1);
        for (int id : kChecks) EXPECT_EQ(ui.Check(h, id), BST_CHECKED) << id;
        EXPECT_EQ(ui.Text(h, IDC_OUTDIR), "C:\\出力\\表");
        EXPECT_FALSE(ui.Enabled(h, IDC_FILENAME));
        ui.Close(h);
    });
    EXPECT_EQ(w.app.Saved("OutputMode"), 1);
    EXPECT_EQ(w.app.Saved("Singles"), 1);
    EXPECT_EQ(w.app.Saved("Tray"), 1);
    EXPECT_EQ(w.app.Saved("Msg"), 1);
    EXPECT_EQ(w.app.Saved("AutoFinish"), 1);
    EXPECT_EQ(w.app.SavedText("OutDir"), "C:\\出力\\表");
}

TEST(MainDlgTest, EveryWayOfClosingSavesWhatTheControlsShow)
{
    struct Way {
        const char* name;
        std::function<void(test::Ui&, HWND)> close;
    };
    const Way ways[] = {
        {"Esc", [](test::Ui& ui, HWND h) { ui.Key(GetDlgItem(h, IDC_PASS), VK_ESCAPE); }},
        {"close box", [](test::Ui& ui, HWND h) { ui.SysCommand(h, SC_CLOSE); }},
        {"WM_CLOSE", [](test::Ui&, HWND h) { PostMessageA(h, WM_CLOSE, 0, 0); }},
    };
    for (const Way& way : ways) {
        MainWindow w;
        w.Run([&](test::Ui& ui, HWND h) {
            ui.SetText(h, IDC_FILENAME, "書類");
            ui.SetText(h, IDC_PASS, "秘密 pass");
            ui.Click(h, IDC_OUT_BESIDE);
            ui.SetText(h, IDC_OUTDIR, "D:\\アーカイブ\\");
            ui.Click(h, IDC_TRAY);
            ui.Click(h, IDC_MSG);
            ui.Click(h, IDC_AUTOFINISH);
            // Enter never closes the window.
            ui.Key(GetDlgItem(h, IDC_PASS), VK_RETURN);
            EXPECT_TRUE(IsWindow(h)) << way.name;
            way.close(ui, h);
            ui.WaitGone(h);
        });
        const std::string expected =
            "[Main]\r\nOutputMode=2\r\nSingles=0\r\nTray=1\r\nMsg=1\r\nAutoFinish=1\r\nOutDir=D:\\アーカイブ\r\n"
            "Rect_top=0\r\nRect_bottom=0\r\nRect_left=0\r\nRect_right=0\r\n";
        EXPECT_EQ(test::ReadBytes(w.ini), expected) << way.name;
    }
}

TEST(MainDlgTest, OutputFolderLosesOneTrailingBackslash)
{
    const struct {
        const char* typed;
        const char* saved;
    } cases[] = {
        {"D:\\out\\", "D:\\out"},
        {"E:\\x\\\\", "E:\\x\\"},
        {"C:\\", "C:"},
        {"F:\\予定表", "F:\\予定表"},
    };
    for (const auto& c : cases) {
        MainWindow w;
        w.Run([&](test::Ui& ui, HWND h) {
            ui.SetText(h, IDC_OUTDIR, c.typed);
            ui.Close(h);
        });
        EXPECT_EQ(w.app.SavedText("OutDir"), c.saved) << test::Utf8(c.typed);
    }
}

TEST(MainDlgTest, LeavingTheFileNameChecksIt)
{
    MainWindow w;
    w.Run([&](test::Ui& ui, HWND h) {
        HWND edit = GetDlgItem(h, IDC_FILENAME);
        const struct {
            const char* typed;
            const char* kept;
            const char* message;
        } cases[] = {
            {"表ソ", "表ソ", nullptr},
            {"a:b", "", "ファイル名に使用できない文字が含まれています"},
            {".zip", "", "\".\"から始まるファイル名は指定できません"},
        };
        for (const auto& c : cases) {
            test::MessageBoxes().clear();
            ui.SetText(h, IDC_FILENAME, c.typed);
            SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_FILENAME, EN_KILLFOCUS), reinterpret_cast<LPARAM>(edit));
            EXPECT_EQ(ui.Text(h, IDC_FILENAME), c.kept) << test::Utf8(c.typed);
            EXPECT_EQ(Dlg(h)->m_strFileName, c.kept) << test::Utf8(c.typed);
            ASSERT_EQ(test::MessageBoxes().size(), c.message ? 1u : 0u) << test::Utf8(c.typed);
            if (c.message) {
                EXPECT_EQ(test::MessageBoxes()[0].text, c.message);
                EXPECT_EQ(test::MessageBoxes()[0].owner, h);
            }
        }
        ui.Close(h);
    });
}

TEST(MainDlgTest, SinglesToggleDisablesTheFileNameAtOnce)
{
    MainWindow w;
    test::WriteBytes(w.ini, "[Main]\r\nSingles=1\r\n");
    w.Run([&](test::Ui& ui, HWND h) {
        EXPECT_FALSE(ui.Enabled(h, IDC_FILENAME));
        ui.Click(h, IDC_SINGLES);
        EXPECT_TRUE(ui.Enabled(h, IDC_FILENAME));
        ui.Click(h, IDC_SINGLES);
        EXPECT_FALSE(ui.Enabled(h, IDC_FILENAME));
        ui.Click(h, IDC_SINGLES);
        ui.Close(h);
    });
    EXPECT_EQ(w.app.Saved("Singles"), 0);
}

TEST(MainDlgTest, HandEditedSettingsOpenWithSoundValues)
{
    const struct {
        const char* name;
        std::string ini;
        int radio;       // radio selected when open
        int singles;     // check state of 1004
        int tray;        // check state of 1011
        int savedMode;
    } cases[] = {
        {"unknown mode", "[Main]\r\nOutputMode=7\r\n", 3, 0, 0, 3},
        {"mode zero", "[Main]\r\nOutputMode=0\r\n", 3, 0, 0, 3},
        {"negative mode", "[Main]\r\nOutputMode=-2\r\n", 3, 0, 0, 3},
        {"mode not a number", "[Main]\r\nOutputMode=abc\r\nSingles=yes\r\n", 3, 0, 0, 3},
        {"blanks around", "[Main]\r\n  OutputMode = 2 \r\nTray= 1\r\n", 2, 0, 1, 2},
        {"flags out of range", "[Main]\r\nOutputMode=1\r\nSingles=5\r\nTray=-1\r\n", 1, 1, 1, 1},
        {"other section only", "[Other]\r\nOutputMode=1\r\nSingles=1\r\n", 3, 0, 0, 3},
        {"binary junk", std::string("\0\xff\xfe[Main\r\n==\r\n\x1a\x01", 16), 3, 0, 0, 3},
        {"empty values", "[Main]\r\nOutputMode=\r\nSingles=\r\nRect_left=\r\n", 3, 0, 0, 3},
    };
    for (const auto& c : cases) {
        MainWindow w;
        test::WriteBytes(w.ini, c.ini);
        w.Run([&](test::Ui& ui, HWND h) {
            EXPECT_EQ(SelectedRadio(ui, h), c.radio) << c.name;
            EXPECT_EQ(ui.Check(h, IDC_SINGLES), c.singles) << c.name;
            EXPECT_EQ(ui.Check(h, IDC_TRAY), c.tray) << c.name;
            ui.Close(h);
        });
        EXPECT_EQ(w.app.Saved("OutputMode"), c.savedMode) << c.name;
        EXPECT_EQ(w.app.Saved("Singles"), c.singles) << c.name;
        EXPECT_EQ(w.app.Saved("Tray"), c.tray) << c.name;
    }
}

TEST(MainDlgTest, SavedPositionIsRestoredAndKeptOnScreen)
{
    // Where the template puts the window when nothing is saved.
    RECT home{};
    {
        MainWindow w;
        w.Run([&](test::Ui& ui, HWND h) {
            GetWindowRect(h, &home);
            ui.Close(h);
        });
    }
    const LONG width = home.right - home.left;
    const LONG height = home.bottom - home.top;

    const struct {
        const char* name;
        int left, top, right, bottom;  // saved
        bool moved;
        LONG x, y;                     // expected place when moved (INT_MIN: clamped to the work area edge)
    } cases[] = {
        {"both zero: not moved", 0, 50, 0, 300, false, 0, 0},
        {"left zero, right set", 0, 40, 500, 400, true, 0, 40},
        {"on screen", 100, 80, 400, 480, true, 100, 80},
        {"off to the lower right", 5000, 4000, 5300, 4400, true, INT_MAX, INT_MAX},
        {"off to the upper left", -3000, -2500, -2700, -2100, true, INT_MIN, INT_MIN},
        {"huge numbers", 2147483000, -2147483000, 2147483600, -2147482000, true, INT_MAX, INT_MIN},
    };
    for (const auto& c : cases) {
        MainWindow w;
        CString text;
        text.Format("[Main]\r\nRect_top=%d\r\nRect_bottom=%d\r\nRect_left=%d\r\nRect_right=%d\r\n", c.top, c.bottom, c.left, c.right);
        test::WriteBytes(w.ini, text.str());
        RECT shown{}, work{};
        w.Run([&](test::Ui& ui, HWND h) {
            GetWindowRect(h, &shown);
            work = WorkArea(h);
            ui.Close(h);
        });
        EXPECT_EQ(shown.right - shown.left, width) << c.name;
        EXPECT_EQ(shown.bottom - shown.top, height) << c.name;
        if (!c.moved) {
            EXPECT_EQ(shown.left, home.left) << c.name;
            EXPECT_EQ(shown.top, home.top) << c.name;
            // Nothing was moved, so what was read goes back.
            EXPECT_EQ(w.app.Saved("Rect_top"), c.top) << c.name;
            EXPECT_EQ(w.app.Saved("Rect_bottom"), c.bottom) << c.name;
            EXPECT_EQ(w.app.Saved("Rect_left"), c.left) << c.name;
            EXPECT_EQ(w.app.Saved("Rect_right"), c.right) << c.name;
            continue;
        }
        const LONG x = c.x == INT_MAX ? work.right - width : c.x == INT_MIN ? work.left : c.x;
        const LONG y = c.y == INT_MAX ? work.bottom - height : c.y == INT_MIN ? work.top : c.y;
        EXPECT_EQ(shown.left, x) << c.name;
        EXPECT_EQ(shown.top, y) << c.name;
        EXPECT_GE(shown.left, work.left) << c.name;
        EXPECT_LE(shown.right, work.right) << c.name;
        EXPECT_GE(shown.top, work.top) << c.name;
        EXPECT_LE(shown.bottom, work.bottom) << c.name;
        // The place saved is the one on screen.
        EXPECT_EQ(w.app.Saved("Rect_left"), shown.left) << c.name;
        EXPECT_EQ(w.app.Saved("Rect_top"), shown.top) << c.name;
        EXPECT_EQ(w.app.Saved("Rect_right"), shown.right) << c.name;
        EXPECT_EQ(w.app.Saved("Rect_bottom"), shown.bottom) << c.name;
    }
}

TEST(MainDlgTest, DraggingRecordsTheRectangleAndTheNextStartKeepsItOnScreen)
{
    MainWindow w;
    w.Run([&](test::Ui& ui, HWND h) {
        RECT drag{-5000, 100, -4700, 500};
        SendMessageA(h, WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&drag));
        drag = RECT{120, 90, 420, 490};
        SendMessageA(h, WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&drag));
        drag = RECT{-5000, 100, -4700, 500};
        SendMessageA(h, WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&drag));
        ui.Close(h);
    });
    // The drag itself is recorded as it was, the last one wins.
    EXPECT_EQ(w.app.Saved("Rect_left"), -5000);
    EXPECT_EQ(w.app.Saved("Rect_top"), 100);
    EXPECT_EQ(w.app.Saved("Rect_right"), -4700);
    EXPECT_EQ(w.app.Saved("Rect_bottom"), 500);

    RECT shown{}, work{};
    w.Run([&](test::Ui& ui, HWND h) {
        GetWindowRect(h, &shown);
        work = WorkArea(h);
        ui.Close(h);
    });
    EXPECT_EQ(shown.left, work.left);
    EXPECT_EQ(shown.top, 100);
    EXPECT_EQ(w.app.Saved("Rect_left"), work.left);
}

TEST(MainDlgTest, HelpOpensTheContentsWhateverTheRequest)
{
    MainWindow w;
    w.Run([&](test::Ui& ui, HWND h) {
        ui.Command(h, ID_HELP);
        HELPINFO info{sizeof info, HELPINFO_WINDOW, IDC_PASS, GetDlgItem(h, IDC_PASS), 0, {0, 0}};
        SendMessageA(h, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        ui.Close(h);
    });
    const std::vector<std::pair<DWORD_PTR, UINT>> expected{{0, HELP_FINDER}, {0, HELP_FINDER}};
    EXPECT_EQ(w.app.helps, expected);
}

TEST(MainDlgTest, AboutBoxOpensFromTheMenuAndTheSystemMenu)
{
    MainWindow w;
    w.Run([&](test::Ui& ui, HWND h) {
        HMENU sys = GetSystemMenu(h, FALSE);
        const int last = GetMenuItemCount(sys) - 1;
        char text[100] = {};
        GetMenuStringA(sys, last, text, sizeof text, MF_BYPOSITION);
        EXPECT_EQ(std::string(text), "バージョン情報 Tarnel(&A)...");
        EXPECT_EQ(GetMenuItemID(sys, last), IDM_ABOUTBOX);
        EXPECT_EQ(GetMenuState(sys, last - 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));

        ui.SetText(h, IDC_FILENAME, "名前");
        const struct {
            const char* name;
            std::function<void()> open;
        } ways[] = {
            {"menu", [&] { ui.Command(h, IDM_ABOUT); }},
            {"system menu", [&] { ui.SysCommand(h, IDM_ABOUTBOX); }},
            {"system menu, low bits set", [&] { ui.SysCommand(h, IDM_ABOUTBOX | 0x3); }},
        };
        for (const auto& way : ways) {
            way.open();
            HWND about = ui.WaitDialog("バージョン情報 Tarnel");
            EXPECT_EQ(GetWindow(about, GW_OWNER), h) << way.name;
            EXPECT_FALSE(IsWindowEnabled(h)) << way.name;
            ui.Click(about, IDOK);
            ui.WaitGone(about);
            EXPECT_TRUE(IsWindowEnabled(h)) << way.name;
        }
        EXPECT_EQ(ui.Text(h, IDC_FILENAME), "名前");
        ui.Close(h);
    });
}

int g_iconErases = 0;
LRESULT CALLBACK CountIconErases(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lParam)->message == WM_ICONERASEBKGND) ++g_iconErases;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(MainDlgTest, MinimizedWindowPaintsItsIcon)
{
    MainWindow w;
    w.Run([&](test::Ui& ui, HWND h) {
        HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, &CountIconErases, nullptr, GetCurrentThreadId());
        g_iconErases = 0;
        SendMessageA(h, WM_PAINT, 0, 0);
        EXPECT_EQ(g_iconErases, 0);
        ShowWindow(h, SW_MINIMIZE);
        ASSERT_TRUE(IsIconic(h));
        SendMessageA(h, WM_PAINT, 0, 0);
        EXPECT_EQ(g_iconErases, 1);
        UnhookWindowsHookEx(hook);
        ShowWindow(h, SW_RESTORE);
        ui.Close(h);
    });
}

TEST(MainDlgTest, IconsFontAndFieldOrder)
{
    MainWindow w;
    w.Run([&](test::Ui& ui, HWND h) {
        CMainDlg* dlg = Dlg(h);
        ASSERT_NE(dlg, nullptr);
        ASSERT_NE(dlg->m_hIcon, nullptr);
        EXPECT_EQ(SendMessageA(h, WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(dlg->m_hIcon));
        EXPECT_EQ(SendMessageA(h, WM_GETICON, ICON_SMALL, 0), reinterpret_cast<LRESULT>(dlg->m_hIcon));
        EXPECT_EQ(SendMessageA(h, WM_QUERYDRAGICON, 0, 0), reinterpret_cast<LRESULT>(dlg->m_hIcon));

        // The drop box shows its own 9-point font.
        HFONT font = reinterpret_cast<HFONT>(SendDlgItemMessageA(h, IDC_DROPBOX, WM_GETFONT, 0, 0));
        EXPECT_EQ(font, dlg->m_boxDrop.m_font.GetSafeHandle());
        LOGFONTA lf{};
        ASSERT_EQ(GetObjectA(font, sizeof lf, &lf), static_cast<int>(sizeof lf));
        EXPECT_EQ(std::string(lf.lfFaceName), "ゴシック");
        HDC screen = GetDC(nullptr);
        EXPECT_EQ(lf.lfHeight, -MulDiv(90, GetDeviceCaps(screen, LOGPIXELSY), 720));
        ReleaseDC(nullptr, screen);

        // The output-folder field sits on top of the other controls.
        EXPECT_EQ(GetWindow(h, GW_CHILD), GetDlgItem(h, IDC_OUTDIR));
        // The controls the history and the drops will need are bound.
        EXPECT_EQ(CWnd::FromHandlePermanent(GetDlgItem(h, IDC_DROPBOX)), &dlg->m_boxDrop);
        EXPECT_EQ(CWnd::FromHandlePermanent(GetDlgItem(h, IDC_OUTDIR)), &dlg->m_editOutDir);
        EXPECT_EQ(CWnd::FromHandlePermanent(GetDlgItem(h, IDC_HISTORY)), &dlg->m_listHistory);
        ui.Close(h);
    });
}

TEST(MainDlgTest, OutputModeOperations)
{
    MainWindow w;
    w.Run([&](test::Ui& ui, HWND h) {
        CMainDlg* dlg = Dlg(h);
        for (int mode : {1, 2, 3}) {
            dlg->SetOutputMode(mode);
            EXPECT_EQ(SelectedRadio(ui, h), mode);
            EXPECT_EQ(dlg->GetOutputMode(), mode);
        }
        dlg->SetOutputMode(9);  // changes no radio
        EXPECT_EQ(SelectedRadio(ui, h), 3);
        for (int id : kRadios) CheckDlgButton(h, id, BST_UNCHECKED);
        EXPECT_EQ(dlg->GetOutputMode(), 3);
        // Typed text and ticks survive the push.
        ui.SetText(h, IDC_PASS, "入力中");
        ui.Click(h, IDC_MSG);
        dlg->SetOutputMode(2);
        EXPECT_EQ(ui.Text(h, IDC_PASS), "入力中");
        EXPECT_EQ(ui.Check(h, IDC_MSG), BST_CHECKED);
        EXPECT_EQ(dlg->m_strPass, "入力中");
        ui.Close(h);
    });
}

TEST(MainDlgTest, BrowseSetsTheFolderAndItsModeOnlyWhenConfirmed)
{
    MainWindow w;
    const BrowseFolders folders;
    const CString& start = folders.start;
    const CString& chosen = folders.chosen;
    w.Run([&](test::Ui& ui, HWND h) {
        ui.SetText(h, IDC_OUTDIR, start + "\\");
        ui.Click(h, IDC_OUT_BESIDE);
        ui.SetText(h, IDC_PASS, "typed");

        ui.Click(h, IDC_BROWSE);
        HWND browse = ui.WaitDialog(nullptr, h);
        ui.Click(browse, IDCANCEL);
        ui.WaitGone(browse);
        EXPECT_EQ(ui.Text(h, IDC_OUTDIR), start + "\\");
        EXPECT_EQ(SelectedRadio(ui, h), 2);

        ui.Click(h, IDC_BROWSE);
        browse = ui.WaitDialog(nullptr, h);
        SendMessageA(browse, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(chosen.c_str()));
        ui.Click(browse, IDOK);
        ui.WaitGone(browse);
        EXPECT_EQ(ui.Text(h, IDC_OUTDIR), chosen);
        EXPECT_EQ(SelectedRadio(ui, h), 1);
        EXPECT_EQ(ui.Text(h, IDC_PASS), "typed");
        ui.Close(h);
    });
    EXPECT_EQ(w.app.Saved("OutputMode"), 1);
    EXPECT_EQ(w.app.SavedText("OutDir"), chosen);
}

} // namespace
