#include "tests/support/UiDriver.h"

#include "tests/support/DropFiles.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace test {

namespace {

enum class ScriptState { Running, Done, Abandoned };

struct Run {
    void* mainFiber = nullptr;
    void* scriptFiber = nullptr;
    const std::function<void(Ui&)>* script = nullptr;
    ScriptState state = ScriptState::Running;
    ULONGLONG deadline = 0;
    bool reportedLeftOpen = false;
    bool inScript = false;  // the script fiber is running
};

thread_local Run* t_run = nullptr;
thread_local void* t_threadFiber = nullptr;

void EndAllDialogs()
{
    for (HWND w : ThreadWindows()) {
        char cls[16] = {};
        GetClassNameA(w, cls, sizeof cls);
        if (std::strcmp(cls, "#32770") == 0) EndDialog(w, -1);
    }
}

void CALLBACK ScriptMain(void*)
{
    Ui ui;
    (*t_run->script)(ui);
    if (t_run->state == ScriptState::Running) t_run->state = ScriptState::Done;
    for (;;) SwitchToFiber(t_run->mainFiber);
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    Run* run = t_run;
    // A tick from a loop that the script itself started with a sent message
    // cannot switch to the script: it is already running.
    if (!run || run->inScript) return;
    if (run->state == ScriptState::Running) {
        run->inScript = true;
        SwitchToFiber(run->scriptFiber);
        run->inScript = false;
        if (run->state == ScriptState::Running) return;
    }
    // The script is over: whatever it left open is ended.
    bool open = false;
    for (HWND w : ThreadWindows()) {
        char cls[16] = {};
        GetClassNameA(w, cls, sizeof cls);
        if (std::strcmp(cls, "#32770") == 0) open = true;
    }
    if (!open) return;
    if (!run->reportedLeftOpen && run->state == ScriptState::Done && !testing::Test::HasFailure())
        ADD_FAILURE() << "the script ended with a dialog still open";
    run->reportedLeftOpen = true;
    EndAllDialogs();
}

// Ends the process when the thread stops running any loop at all.
struct Watchdog {
    explicit Watchdog(DWORD ms) : event(CreateEventA(nullptr, TRUE, FALSE, nullptr)), limit(ms)
    {
        thread = CreateThread(nullptr, 0, &Watchdog::Main, this, 0, nullptr);
    }
    ~Watchdog()
    {
        SetEvent(event);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        CloseHandle(event);
    }
    static DWORD WINAPI Main(void* p)
    {
        auto* self = static_cast<Watchdog*>(p);
        if (WaitForSingleObject(self->event, self->limit) == WAIT_TIMEOUT) {
            std::fprintf(stderr, "watchdog: a modal dialog stopped running its loop; ending the test program\n");
            std::fflush(stderr);
            std::fflush(stdout);
            TerminateProcess(GetCurrentProcess(), 3);
        }
        return 0;
    }
    HANDLE event;
    DWORD limit;
    HANDLE thread;
};

void YieldToLoop() { SwitchToFiber(t_run->mainFiber); }

} // namespace

std::vector<HWND> ThreadWindows()
{
    std::vector<HWND> windows;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

template <class Done> void Ui::WaitUntil(const char* what, Done done)
{
    while (!done()) {
        if (GetTickCount64() > t_run->deadline) {
            ADD_FAILURE() << "timed out waiting for " << what;
            t_run->state = ScriptState::Abandoned;
            for (;;) YieldToLoop();
        }
        YieldToLoop();
    }
}

void Ui::Settle()
{
    // A tick comes only once the queue holds no posted message.
    YieldToLoop();
}

HWND Ui::WaitDialog(const char* caption, HWND except)
{
    HWND found = nullptr;
    const std::string what = std::string("dialog ") + (caption ? Utf8(caption) : "(any)");
    WaitUntil(what.c_str(), [&] {
        for (HWND w : ThreadWindows()) {
            char cls[16] = {};
            GetClassNameA(w, cls, sizeof cls);
            if (w == except || std::strcmp(cls, "#32770") != 0 || !IsWindowVisible(w) || !IsWindowEnabled(w)) continue;
            if (caption) {
                char text[512] = {};
                GetWindowTextA(w, text, sizeof text);
                if (std::strcmp(text, caption) != 0) continue;
            }
            found = w;
            return true;
        }
        return false;
    });
    return found;
}

void Ui::WaitGone(HWND hwnd)
{
    WaitUntil("a window to close", [&] { return !IsWindow(hwnd); });
}

void Ui::Click(HWND dlg, int id)
{
    PostMessageA(GetDlgItem(dlg, id), BM_CLICK, 0, 0);
    Settle();
}

void Ui::Command(HWND dlg, UINT id)
{
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    Settle();
}

void Ui::SysCommand(HWND dlg, UINT command)
{
    PostMessageA(dlg, WM_SYSCOMMAND, command, 0);
    Settle();
}

void Ui::Key(HWND target, UINT vk)
{
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(target, WM_KEYDOWN, vk, scan | 1);
    PostMessageA(target, WM_KEYUP, vk, scan | 1 | (1LL << 30) | (1LL << 31));
    Settle();
}

void Ui::Close(HWND dlg)
{
    PostMessageA(dlg, WM_CLOSE, 0, 0);
    WaitGone(dlg);
}

void Ui::Drop(HWND target, const std::vector<std::string>& paths, POINT at)
{
    PostMessageA(target, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths, at)), 0);
    Settle();
}

void Ui::SetText(HWND dlg, int id, const char* text) { SetDlgItemTextA(dlg, id, text); }

CString Ui::Text(HWND dlg, int id) const
{
    HWND control = GetDlgItem(dlg, id);
    CString text;
    const int length = GetWindowTextLengthA(control);
    if (length > 0) text.ReleaseBuffer(GetWindowTextA(control, text.GetBuffer(length), length + 1));
    return text;
}

int Ui::Check(HWND dlg, int id) const { return static_cast<int>(IsDlgButtonChecked(dlg, id)); }

bool Ui::Enabled(HWND dlg, int id) const { return IsWindowEnabled(GetDlgItem(dlg, id)) != FALSE; }

INT_PTR RunModal(const std::function<INT_PTR()>& open, const std::function<void(Ui&)>& script, DWORD timeoutMs)
{
    Run run;
    Run* outer = t_run;
    if (!t_threadFiber) t_threadFiber = ConvertThreadToFiber(nullptr);
    run.mainFiber = t_threadFiber;
    run.script = &script;
    run.scriptFiber = CreateFiber(256 * 1024, &ScriptMain, nullptr);
    run.deadline = GetTickCount64() + timeoutMs;
    t_run = &run;

    INT_PTR result;
    {
        Watchdog watchdog(timeoutMs + 15000);
        const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &Tick);
        result = open();
        KillTimer(nullptr, timer);
    }
    // The script's last waits (for the dialog to be gone) finish outside the loop.
    while (run.state == ScriptState::Running) {
        run.inScript = true;
        SwitchToFiber(run.scriptFiber);
        run.inScript = false;
        if (run.state == ScriptState::Running) Sleep(1);
    }
    t_run = outer;
    DeleteFiber(run.scriptFiber);
    return result;
}

} // namespace test
