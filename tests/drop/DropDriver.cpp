// Drops files on the real main window, as the shell would, and reports what
// the user saw. Run by drop_e2e.py, which prepares the folder this program
// sits in (with Hobrin.dll, zip32j.dll, an INI and maybe a history file),
// then checks the archives, the INI and the history file it leaves.
//
//   DROP_SCENARIO  file of lines (code page 932):  drop <path> | lock <path> |
//                  name <output file name> | pass <password>
//   DROP_RESULT    file that receives one line per message box, then the end
//                  state:  box <type> <owner visible 0/1> <owner title> | <text> | <caption>
//                          closed <0/1>  (the window ended by itself)
//                          desktop <unix path of the desktop folder>
#include "app/MainApp.h"
#include "framework/Handles.h"
#include "pack/DesktopFolder.h"
#include "res/resource.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UiDriver.h"
#include "ui/StartDialogs.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Env(const char* name)
{
    char buf[1024] = {};
    const DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
    return n < sizeof buf ? std::string(buf, n) : std::string();
}

std::string UnixPath(const char* path)
{
    using Fn = char*(CDECL*)(const WCHAR*);
    auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
    WCHAR wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH);
    char* unix = fn ? fn(wide) : nullptr;
    std::string out = unix ? unix : "";
    if (unix) HeapFree(GetProcessHeap(), 0, unix);
    return out;
}

// The program as it starts, with the main window's run driven by a script.
class DropApp : public CMainApp {
public:
    std::vector<std::string> drops;
    std::vector<std::string> locks;
    std::string name;
    std::string password;
    bool closedByItself = false;

protected:
    void RunStartDialog(StartDialog) override
    {
        test::RunModal([&] { RunMainDialog(*this); return 0; }, [&](test::Ui& ui) {
            HWND main = ui.WaitDialog("Tarnel");
            std::vector<std::unique_ptr<CHandle>> held;
            for (const std::string& path : locks)
                held.push_back(std::make_unique<CHandle>(
                    CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
            ui.SetText(main, IDC_FILENAME, name.c_str());
            ui.SetText(main, IDC_PASS, password.c_str());
            ui.Drop(GetDlgItem(main, IDC_DROPBOX), drops);
            held.clear();
            closedByItself = !IsWindow(main);
            if (!closedByItself) ui.Close(main);
        });
    }
};

TEST(DropDriver, DropsAndReports)
{
    DropApp app;
    app.SetUp(GetModuleHandleA(nullptr), "", SW_SHOWNORMAL);
    std::istringstream scenario(test::ReadBytes(Env("DROP_SCENARIO").c_str()));
    for (std::string line; std::getline(scenario, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("drop ", 0) == 0) app.drops.push_back(line.substr(5));
        if (line.rfind("lock ", 0) == 0) app.locks.push_back(line.substr(5));
        if (line.rfind("name ", 0) == 0) app.name = line.substr(5);
        if (line.rfind("pass ", 0) == 0) app.password = line.substr(5);
    }
    ASSERT_FALSE(app.drops.empty());
    app.InitInstance();

    std::string report;
    for (const test::MessageBoxCall& box : test::MessageBoxes()) {
        report += "box " + std::to_string(box.type) + " " + (box.ownerRootVisible ? "1" : "0") + " " +
                  test::Utf8(box.ownerRootTitle) + " | " + test::Utf8(box.text) + " | " + test::Utf8(box.caption) + "\n";
    }
    report += std::string("closed ") + (app.closedByItself ? "1" : "0") + "\n";
    report += "desktop " + UnixPath(GetDesktopFolder()) + "\n";
    test::WriteBytes(Env("DROP_RESULT").c_str(), report);
}

} // namespace
