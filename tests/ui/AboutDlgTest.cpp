// The about box and its links. The box is code of this program, the link
// class lives in Hobrin.dll: each layer has its own copy of the window layer,
// and the links must still get their clicks, cursor and colours.
#include "lib/HrefStatic.h"
#include "res/resource.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UiDriver.h"
#include "tests/ui/TestApp.h"
#include "ui/AboutDlg.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

HMODULE ModuleOf(const void* address)
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<const char*>(address), &module);
    return module;
}

void RunAbout(const std::function<void(test::Ui&, HWND)>& script, INT_PTR* result = nullptr)
{
    CAboutDlg about;
    const INT_PTR r = test::RunModal([&] { return about.DoModal(); }, [&](test::Ui& ui) {
        script(ui, ui.WaitDialog("バージョン情報 Tarnel"));
    });
    if (result) *result = r;
}

void Press(HWND control)
{
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

struct Colours {
    COLORREF text;
    int bkMode;
    LOGFONTA font;
    COLORREF brush;
    bool gotBrush;
};

// What the dialog hands a static control that asks for its colours.
Colours AskColours(HWND dlg, HWND control)
{
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, RGB(1, 2, 3));
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    Colours c{};
    HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessageA(dlg, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    c.text = GetTextColor(dc);
    c.bkMode = GetBkMode(dc);
    GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof c.font, &c.font);
    LOGBRUSH lb{};
    c.gotBrush = brush && GetObjectA(brush, sizeof lb, &lb) == sizeof lb;
    c.brush = lb.lbColor;
    DeleteDC(dc);
    return c;
}

TEST(AboutDlgTest, LinksOpenWhatTheyShowThroughTheShell)
{
    const struct {
        int id;
        bool hasVerb;
        const char* verb;
        const char* file;
    } links[] = {
        {IDC_LINK_HOME, false, "", "https://example.com/"},
        {IDC_LINK_HELP_HOME, false, "", "https://example.org/help/"},
        {IDC_LINK_MAIL, true, "open", "mailto:dev@example.com"},
        {IDC_LINK_HELP_MAIL, true, "open", "mailto:help@example.org"},
    };
    RunAbout([&](test::Ui& ui, HWND h) {
        for (const auto& link : links) {
            HWND control = GetDlgItem(h, link.id);
            CWnd* object = CWnd::FromHandlePermanent(control);
            ASSERT_NE(object, nullptr) << link.id;
            // Subclassed by this program's code, implemented in the library.
            EXPECT_EQ(ModuleOf(reinterpret_cast<void*>(GetWindowLongPtrA(control, GWLP_WNDPROC))), GetModuleHandleA(nullptr));
            EXPECT_EQ(ModuleOf(*reinterpret_cast<void**>(object)), GetModuleHandleA("Hobrin.dll"));

            test::ShellExecutes().clear();
            Press(control);
            ASSERT_EQ(test::ShellExecutes().size(), 1u) << link.id;
            const test::ShellExecuteCall& call = test::ShellExecutes()[0];
            EXPECT_EQ(call.hasVerb, link.hasVerb) << link.id;
            EXPECT_EQ(call.verb, link.verb) << link.id;
            EXPECT_EQ(call.file, link.file) << link.id;
            EXPECT_EQ(call.owner, nullptr);
            EXPECT_EQ(call.parameters, "");
            EXPECT_EQ(call.directory, "");
            EXPECT_EQ(call.show, SW_SHOWNORMAL);
        }
        // Nothing but the box itself changes: it is still open.
        EXPECT_TRUE(IsWindow(h));
        ui.Click(h, IDOK);
        ui.WaitGone(h);
    });
}

TEST(AboutDlgTest, AnyOtherTextIsTakenForAMailAddress)
{
    RunAbout([&](test::Ui& ui, HWND h) {
        for (const char* text : {"名前", "www.example.com", "dev@example.com"}) {
            SetDlgItemTextA(h, IDC_LINK_HOME, text);
            test::ShellExecutes().clear();
            Press(GetDlgItem(h, IDC_LINK_HOME));
            ASSERT_EQ(test::ShellExecutes().size(), 1u);
            EXPECT_EQ(test::ShellExecutes()[0].verb, "open");
            EXPECT_EQ(test::ShellExecutes()[0].file, std::string("mailto:") + text) << test::Utf8(text);
        }
        ui.Close(h);
    });
}

TEST(AboutDlgTest, LinksDrawBlueAndUnderlinedAndOtherTextDoesNot)
{
    RunAbout([&](test::Ui& ui, HWND h) {
        HWND link = GetDlgItem(h, IDC_LINK_MAIL);
        LOGFONTA dialogFont{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0)), sizeof dialogFont, &dialogFont);
        ASSERT_FALSE(dialogFont.lfUnderline);

        for (int round = 0; round < 2; ++round) {
            const Colours c = AskColours(h, link);
            EXPECT_EQ(c.text, RGB(0, 0, 255)) << round;
            EXPECT_EQ(c.bkMode, TRANSPARENT) << round;
            EXPECT_TRUE(c.font.lfUnderline) << round;
            EXPECT_EQ(std::string(c.font.lfFaceName), dialogFont.lfFaceName) << round;
            EXPECT_EQ(c.font.lfHeight, dialogFont.lfHeight) << round;
            EXPECT_TRUE(c.gotBrush) << round;
            EXPECT_EQ(c.brush, GetSysColor(COLOR_BTNFACE)) << round;
            // The control draws with the underlined font itself as well.
            LOGFONTA own{};
            GetObjectA(reinterpret_cast<HFONT>(SendMessageA(link, WM_GETFONT, 0, 0)), sizeof own, &own);
            EXPECT_TRUE(own.lfUnderline) << round;
            Press(link);  // still a link after a click
        }

        // A plain label of the same box is left to the dialog.
        HWND label = nullptr;
        for (HWND child = GetWindow(h, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char text[32] = {};
            GetWindowTextA(child, text, sizeof text);
            if (std::string(text) == "Mail：") label = child;
        }
        ASSERT_NE(label, nullptr);
        const Colours plain = AskColours(h, label);
        EXPECT_NE(plain.text, RGB(0, 0, 255));
        EXPECT_FALSE(plain.font.lfUnderline);
        ui.Close(h);
    });
}

TEST(AboutDlgTest, TheHandShowsOverTheWholeLink)
{
    RunAbout([&](test::Ui& ui, HWND h) {
        HWND link = GetDlgItem(h, IDC_LINK_HOME);
        for (UINT hit : {HTCLIENT, HTNOWHERE, HTBORDER}) {
            SetCursor(LoadCursorA(nullptr, IDC_ARROW));
            EXPECT_EQ(SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(hit, WM_MOUSEMOVE)), TRUE);
            EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND)) << hit;
        }
        ui.Close(h);
    });
}

TEST(AboutDlgTest, OkEscAndTheCloseBoxCloseIt)
{
    const struct {
        const char* name;
        std::function<void(test::Ui&, HWND)> close;
        INT_PTR result;
    } ways[] = {
        {"OK", [](test::Ui& ui, HWND h) { ui.Click(h, IDOK); }, IDOK},
        {"Enter", [](test::Ui& ui, HWND h) { ui.Key(GetDlgItem(h, IDOK), VK_RETURN); }, IDOK},
        {"Esc", [](test::Ui& ui, HWND h) { ui.Key(GetDlgItem(h, IDOK), VK_ESCAPE); }, IDCANCEL},
        {"close box", [](test::Ui& ui, HWND h) { ui.SysCommand(h, SC_CLOSE); }, IDCANCEL},
    };
    for (const auto& way : ways) {
        INT_PTR result = 0;
        RunAbout([&](test::Ui& ui, HWND h) {
            way.close(ui, h);
            ui.WaitGone(h);
        }, &result);
        EXPECT_EQ(result, way.result) << way.name;
    }
}

} // namespace
