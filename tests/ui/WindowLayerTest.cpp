// The window layer: message maps, data exchange, object lookup, the modal
// loop's pre-translation, drops, and the driver that works them.
#include "framework/CDataExchange.h"
#include "framework/CDialog.h"
#include "framework/CEdit.h"
#include "res/resource.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UiDriver.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace {

constexpr UINT WM_PROBE = WM_APP + 1;

// A dialog of template 135 (one edit, OK, Cancel) with rows of its own.
class BaseDlg : public CDialog {
public:
    BaseDlg() : CDialog(IDD_ADD_HISTORY) {}
    std::vector<std::string> calls;
    CString m_strText;

protected:
    const MsgMap* GetMessageMap() const override
    {
        static const MsgMapEntry entries[] = {
            {WM_PROBE, 0, 0, fw::Handler<&BaseDlg::OnProbeBase>},
            {WM_PROBE + 1, 0, 0, fw::Handler<&BaseDlg::OnProbeTwo>},
            {},
        };
        static const MsgMap map{CDialog::GetMessageMap(), entries};
        return &map;
    }
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_HISTORY_PASS, m_strText); }
    LRESULT OnProbeBase(WPARAM w, LPARAM) { calls.push_back("base"); return static_cast<LRESULT>(w) + 1; }
    void OnProbeTwo() { calls.push_back("base two"); }
};

class DerivedDlg : public BaseDlg {
protected:
    const MsgMap* GetMessageMap() const override
    {
        static const MsgMapEntry entries[] = {
            {WM_PROBE, 0, 0, fw::Handler<&DerivedDlg::OnProbe>},
            {WM_COMMAND, IDOK, BN_CLICKED, fw::Handler<&DerivedDlg::OnOkClicked>},
            {},
        };
        static const MsgMap map{BaseDlg::GetMessageMap(), entries};
        return &map;
    }
    LRESULT OnProbe(WPARAM w, LPARAM l) { calls.push_back("derived"); return static_cast<LRESULT>(w + l); }
    void OnOkClicked()
    {
        calls.push_back("ok row");
        OnOK();
    }
};

TEST(WindowLayerTest, DispatchWalksTheClassTableThenItsBase)
{
    DerivedDlg dlg;
    const INT_PTR result = test::RunModal([&] { return dlg.DoModal(); }, [&](test::Ui& ui) {
        HWND h = ui.WaitDialog();
        EXPECT_EQ(CWnd::FromHandlePermanent(h), &dlg);
        EXPECT_EQ(SendMessageA(h, WM_PROBE, 2, 3), 5);     // derived row wins
        EXPECT_EQ(SendMessageA(h, WM_PROBE + 1, 0, 0), 0); // base row
        ui.Click(h, IDOK);
        ui.WaitGone(h);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.calls, (std::vector<std::string>{"derived", "base two", "ok row"}));
    // Once the window is gone the object is detached from it.
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(WindowLayerTest, DataExchangeCarriesJapaneseTextBothWays)
{
    BaseDlg dlg;
    dlg.m_strText = "表示ソ能 テスト";
    CString shown;
    const INT_PTR result = test::RunModal([&] { return dlg.DoModal(); }, [&](test::Ui& ui) {
        HWND h = ui.WaitDialog("登録するPassを入力してください");
        shown = ui.Text(h, IDC_HISTORY_PASS);  // pushed by OnInitDialog
        ui.SetText(h, IDC_HISTORY_PASS, "予定表\\ソフト");
        ui.Click(h, IDOK);                     // OnOK pulls
        ui.WaitGone(h);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(shown, "表示ソ能 テスト");
    EXPECT_EQ(dlg.m_strText, "予定表\\ソフト");
}

TEST(WindowLayerTest, CancelAndEscapeAndCloseEndWithoutPulling)
{
    for (int way = 0; way < 3; ++way) {
        BaseDlg dlg;
        dlg.m_strText = "old";
        const INT_PTR result = test::RunModal([&] { return dlg.DoModal(); }, [&](test::Ui& ui) {
            HWND h = ui.WaitDialog();
            ui.SetText(h, IDC_HISTORY_PASS, "typed");
            if (way == 0) ui.Click(h, IDCANCEL);
            if (way == 1) ui.Key(GetDlgItem(h, IDC_HISTORY_PASS), VK_ESCAPE);
            if (way == 2) PostMessageA(h, WM_CLOSE, 0, 0);
            ui.WaitGone(h);
        });
        EXPECT_EQ(result, IDCANCEL) << way;
        EXPECT_EQ(dlg.m_strText, "old") << way;
    }
}

// Return caught before the dialog's own keyboard handling.
class ReturnCatcher : public BaseDlg {
public:
    int returns = 0;
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
            ++returns;
            return TRUE;
        }
        return FALSE;
    }
};

TEST(WindowLayerTest, PreTranslateMessageSeesKeysBeforeTheDialog)
{
    ReturnCatcher catcher;
    test::RunModal([&] { return catcher.DoModal(); }, [&](test::Ui& ui) {
        HWND h = ui.WaitDialog();
        ui.Key(GetDlgItem(h, IDC_HISTORY_PASS), VK_RETURN);
        EXPECT_TRUE(IsWindow(h)) << "Return reached the default button";
        ui.Close(h);
    });
    EXPECT_EQ(catcher.returns, 1);

    // Without the override Return presses the default button.
    BaseDlg plain;
    const INT_PTR result = test::RunModal([&] { return plain.DoModal(); }, [&](test::Ui& ui) {
        HWND h = ui.WaitDialog();
        ui.Key(GetDlgItem(h, IDC_HISTORY_PASS), VK_RETURN);
        ui.WaitGone(h);
    });
    EXPECT_EQ(result, IDOK);
}

// An edit that takes drops: a subclassed control with rows of its own.
class DropEdit : public CEdit {
public:
    std::vector<std::string> dropped;

protected:
    const MsgMap* GetMessageMap() const override
    {
        static const MsgMapEntry entries[] = {{WM_DROPFILES, 0, 0, fw::Handler<&DropEdit::OnDropFiles>}, {}};
        static const MsgMap map{CEdit::GetMessageMap(), entries};
        return &map;
    }
    void OnDropFiles(WPARAM drop, LPARAM)
    {
        HDROP h = reinterpret_cast<HDROP>(drop);
        const UINT count = DragQueryFileA(h, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            char path[MAX_PATH] = {};
            DragQueryFileA(h, i, path, MAX_PATH);
            dropped.push_back(path);
        }
        DragFinish(h);
    }
};

class DropDlg : public BaseDlg {
public:
    DropEdit m_edit;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_HISTORY_PASS, m_edit);
        BaseDlg::DoDataExchange(pDX);
    }
};

TEST(WindowLayerTest, SubclassedControlsGetTheirMessagesAndDropsArriveWhole)
{
    test::TempDir dir;
    const CString a = dir / "表示.txt";
    const CString b = dir / "ソフト 能";
    DropDlg dlg;
    test::RunModal([&] { return dlg.DoModal(); }, [&](test::Ui& ui) {
        HWND h = ui.WaitDialog();
        EXPECT_EQ(CWnd::FromHandlePermanent(GetDlgItem(h, IDC_HISTORY_PASS)), &dlg.m_edit);
        ui.Drop(GetDlgItem(h, IDC_HISTORY_PASS), {a.str(), b.str()});
        // Ordinary edit behaviour still runs through the previous procedure.
        ui.SetText(h, IDC_HISTORY_PASS, "abc");
        EXPECT_EQ(ui.Text(h, IDC_HISTORY_PASS), "abc");
        ui.Close(h);
    });
    EXPECT_EQ(dlg.m_edit.dropped, (std::vector<std::string>{a.str(), b.str()}));
    EXPECT_EQ(dlg.m_edit.m_hWnd, nullptr);
}

TEST(WindowLayerTest, AScriptThatLeavesADialogOpenFailsInsteadOfHanging)
{
    BaseDlg dlg;
    testing::TestPartResultArray failures;
    INT_PTR result = 0;
    {
        testing::ScopedFakeTestPartResultReporter reporter(testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
        result = test::RunModal([&] { return dlg.DoModal(); }, [&](test::Ui& ui) { ui.WaitDialog("no such caption"); }, 300);
    }
    EXPECT_EQ(result, -1);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_NE(std::string(failures.GetTestPartResult(0).message()).find("timed out"), std::string::npos);
}

} // namespace
