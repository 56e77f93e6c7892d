// Works the real program's command-line dialog from outside, as a person
// would, for tests/cmd/test_cmdline.py. It reads a script (code page 932,
// one step a line, fields separated by tabs) and prints what it saw, one
// line a step, in code page 932:
//   run N PROGRAM TAIL   starts PROGRAM as process N with the command-line tail TAIL
//   dialog               waits for process 0's dialog (the one with button 1027); prints its title
//   set ID TEXT          sets the text of the dialog's control ID
//   click ID             posts a click (BM_CLICK) to the dialog's button ID
//   box                  waits for a message box of process 0; prints its caption and texts and the
//                        dialog's state (title, visible, enabled, minimised), then presses OK
//   state                prints the dialog's state
//   away                 makes a window of this driver the foreground window
//   foreground           prints 1 when the dialog is the foreground window, else 0
//   exit N               waits for process N to end; prints its exit code
// Every wait gives up after 20 s; the driver then prints "timeout" and ends
// the processes it started, with exit code 1.
#include "tests/support/ProcessDriver.h"
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

const DWORD kWait = 20000;
const int kStartButton = 1027;

using test::ProcessDriver;

std::string Text(HWND hwnd) { return ProcessDriver::Text(hwnd); }

struct Find {
    DWORD pid;
    bool dialog;  // true: the window with the start button; false: any other dialog
    HWND found;
};

HWND FindWindowOf(DWORD pid, bool dialog)
{
    Find find{pid, dialog, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* f = reinterpret_cast<Find*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            char cls[16] = {};
            GetClassNameA(hwnd, cls, sizeof cls);
            if (owner != f->pid || lstrcmpA(cls, "#32770") != 0) return TRUE;
            const bool isDialog = GetDlgItem(hwnd, kStartButton) != nullptr;
            if (isDialog != f->dialog) return TRUE;
            // The dialog may be hidden (packing in the notification area); a box is always shown.
            if (!isDialog && !IsWindowVisible(hwnd)) return TRUE;
            f->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.found;
}

std::vector<std::string> Split(const std::string& line)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t')) fields.push_back(field);
    return fields;
}

std::string State(HWND dlg)
{
    return Text(dlg) + "\t" + (IsWindowVisible(dlg) ? "1" : "0") + "\t" +
           (IsWindowEnabled(dlg) ? "1" : "0") + "\t" + (IsIconic(dlg) ? "1" : "0");
}

// One line a step: line ends inside a text are written as \n.
void Say(std::string line)
{
    for (size_t at = 0; (at = line.find_first_of("\r\n", at)) != std::string::npos;) {
        if (line[at] == '\r')
            line.erase(at, 1);
        else
            line.replace(at, 1, "\\n"), at += 2;
    }
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputs("\n", stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return 2;
    std::ifstream script(argv[1], std::ios::binary);
    if (!script) return 2;
    std::unique_ptr<ProcessDriver> processes[2];
    DWORD pid0 = 0;
    HWND dlg = nullptr;
    HWND away = nullptr;

    auto fail = [&](const std::string& what) {
        Say("timeout\t" + what);
        return 1;  // the drivers end what still runs
    };
    auto waitFor = [&](bool dialog) {
        const DWORD start = GetTickCount();
        do {
            if (HWND w = FindWindowOf(pid0, dialog)) {
                if (!dialog || IsWindowVisible(w)) return w;
            }
            Sleep(20);
        } while (GetTickCount() - start < kWait);
        return static_cast<HWND>(nullptr);
    };

    std::string line;
    while (std::getline(script, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::vector<std::string> f = Split(line);
        if (f.empty()) continue;
        const std::string& verb = f[0];
        if (verb == "run" && f.size() >= 3) {
            const int n = std::atoi(f[1].c_str());
            const std::string& program = f[2];
            const std::string folder = program.substr(0, program.rfind('\\'));
            processes[n] = std::make_unique<ProcessDriver>(program.c_str(), f.size() > 3 ? f[3].c_str() : "", folder.c_str());
            if (!processes[n]->Started()) return fail("start " + f[2]);
            if (n == 0) pid0 = processes[0]->Id();
            Say("run\t" + f[1]);
        } else if (verb == "dialog") {
            dlg = waitFor(true);
            if (!dlg) return fail("dialog");
            Say("dialog\t" + State(dlg));
        } else if (verb == "set" && f.size() >= 2) {
            const std::string text = f.size() > 2 ? f[2] : "";
            SendMessageTimeoutA(GetDlgItem(dlg, std::atoi(f[1].c_str())), WM_SETTEXT, 0,
                                reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000, nullptr);
            Say("set\t" + f[1]);
        } else if (verb == "click" && f.size() >= 2) {
            PostMessageA(GetDlgItem(dlg, std::atoi(f[1].c_str())), BM_CLICK, 0, 0);
            Say("click\t" + f[1]);
        } else if (verb == "box") {
            HWND box = waitFor(false);
            if (!box) return fail("box");
            std::string said = "box\t" + Text(box);
            for (const std::string& text : ProcessDriver::ChildTexts(box)) said += "\t" + text;
            Say(said);
            Say("during\t" + (dlg ? State(dlg) : std::string("none")));
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            const DWORD start = GetTickCount();
            while (IsWindow(box) && GetTickCount() - start < kWait) Sleep(20);
            if (IsWindow(box)) return fail("box to close");
        } else if (verb == "state") {
            Say("state\t" + State(dlg));
        } else if (verb == "away") {
            away = CreateWindowExA(0, "STATIC", "driver", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
            SetForegroundWindow(away);
            Say(std::string("away\t") + (GetForegroundWindow() == away ? "1" : "0"));
        } else if (verb == "foreground") {
            const DWORD start = GetTickCount();
            while (GetForegroundWindow() != dlg && GetTickCount() - start < 2000) Sleep(20);
            Say(std::string("foreground\t") + (GetForegroundWindow() == dlg ? "1" : "0"));
        } else if (verb == "exit" && f.size() >= 2) {
            const int n = std::atoi(f[1].c_str());
            const DWORD start = GetTickCount();
            const long code = processes[n] ? processes[n]->WaitForExit(kWait) : -1;
            if (code == -1) return fail("exit " + f[1]);
            Say("exit\t" + f[1] + "\t" + std::to_string(code) + "\t" + std::to_string(GetTickCount() - start));
        } else {
            Say("unknown\t" + verb);
            return 2;
        }
    }
    if (away) DestroyWindow(away);
    return 0;
}
