// The real program's main window packs a dropped folder with our zip32j.dll
// (the one beside this program). Run by test_archiver.py, which names the
// folder in ZIPTEST_DROP_SOURCE (and a password in ZIPTEST_DROP_PASSWORD) and
// then reads the archive beside it with zipfile, 7z and bsdtar.

#include "framework/MessageBox.h"
#include "res/resource.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UiDriver.h"
#include "tests/ui/TestApp.h"
#include "ui/StartDialogs.h"

#include <gtest/gtest.h>

#include <cstring>


namespace {

std::string Env(const char* name)
{
    // Wide, then the code page: Wine's narrow form cuts double-byte text short.
    wchar_t wide[1024] = {};
    std::wstring wname(name, name + std::strlen(name));
    if (!GetEnvironmentVariableW(wname.c_str(), wide, 1024)) return std::string();
    char value[2048] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, value, sizeof value, nullptr, nullptr);
    return value;
}

} // namespace

TEST(DropPack, DroppedFolderIsPackedBesideIt)
{
    const std::string source = Env("ZIPTEST_DROP_SOURCE");
    if (source.empty()) GTEST_SKIP() << "run by test_archiver.py";
    const std::string password = Env("ZIPTEST_DROP_PASSWORD");

    test::TempDir dir;
    const CString ini = dir / "Tarnel.ini";
    // One archive per item, beside the item, no messages, window stays.
    test::WriteBytes(ini, "[Main]\r\nOutputMode=2\r\nSingles=1\r\nTray=0\r\nMsg=0\r\nAutoFinish=0\r\n");
    TestApp app{ini};
    test::MessageBoxes().clear();
    test::RunModal([&] { RunMainDialog(app); return 0; }, [&](test::Ui& ui) {
        HWND main = ui.WaitDialog("Tarnel");
        ui.SetText(main, IDC_PASS, password.c_str());
        ui.Drop(GetDlgItem(main, IDC_DROPBOX), {source});
        ui.Settle();
        ui.Close(main);
    }, 60000);
    for (const auto& box : test::MessageBoxes()) ADD_FAILURE() << "message: " << test::Utf8(box.text);
}
