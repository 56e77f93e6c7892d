#include "tests/support/ProcessDriver.h"

namespace test {

ProcessDriver::ProcessDriver(const char* program, const char* args, const char* cwd)
{
    CString line = CString("\"") + program + "\"";
    if (args && *args) line += CString(" ") + args;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string buf(line.c_str());
    if (!CreateProcessA(program, &buf[0], nullptr, nullptr, FALSE, 0, nullptr, cwd, &si, &m_pi)) m_pi = {};
}

ProcessDriver::~ProcessDriver()
{
    if (!m_pi.hProcess) return;
    if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(m_pi.hProcess, 99);
    CloseHandle(m_pi.hProcess);
    CloseHandle(m_pi.hThread);
}

HWND ProcessDriver::WaitForWindow(const char* cls, DWORD timeoutMs) const
{
    struct Search {
        DWORD pid;
        const char* cls;
        HWND found;
    } search{m_pi.dwProcessId, cls, nullptr};
    const DWORD start = GetTickCount();
    do {
        EnumWindows(
            [](HWND hwnd, LPARAM lp) -> BOOL {
                auto* s = reinterpret_cast<Search*>(lp);
                DWORD pid = 0;
                GetWindowThreadProcessId(hwnd, &pid);
                if (pid != s->pid || !IsWindowVisible(hwnd)) return TRUE;
                char name[64] = {};
                GetClassNameA(hwnd, name, sizeof name);
                if (s->cls && lstrcmpA(name, s->cls) != 0) return TRUE;
                s->found = hwnd;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (WaitForSingleObject(m_pi.hProcess, 50) == WAIT_OBJECT_0) return nullptr;
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

std::string ProcessDriver::Text(HWND hwnd)
{
    char buf[1024] = {};
    SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 5000, nullptr);
    return buf;
}

std::vector<std::string> ProcessDriver::ChildTexts(HWND hwnd)
{
    std::vector<std::string> texts;
    EnumChildWindows(
        hwnd,
        [](HWND child, LPARAM lp) -> BOOL {
            reinterpret_cast<std::vector<std::string>*>(lp)->push_back(Text(child));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

long ProcessDriver::WaitForExit(DWORD timeoutMs)
{
    if (!m_pi.hProcess || WaitForSingleObject(m_pi.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(m_pi.hProcess, &code);
    return static_cast<long>(code);
}

} // namespace test
