#pragma once
// Runs a program as a separate process and finds and answers its windows,
// as a person would, for end-to-end tests.

#include "framework/CString.h"

#include <string>
#include <vector>

namespace test {

class ProcessDriver {
public:
    // Starts program (full path) with the command-line tail args in folder cwd.
    ProcessDriver(const char* program, const char* args, const char* cwd = nullptr);
    ~ProcessDriver();
    bool Started() const { return m_pi.hProcess != nullptr; }
    DWORD Id() const { return m_pi.dwProcessId; }

    // First visible top-level window of the process whose class is cls
    // (nullptr: any), waiting up to timeoutMs; nullptr when none came.
    HWND WaitForWindow(const char* cls, DWORD timeoutMs = 10000) const;
    // Window texts of the children of hwnd, in z-order.
    static std::vector<std::string> ChildTexts(HWND hwnd);
    static std::string Text(HWND hwnd);

    // Exit code, or -1 when the process did not end within timeoutMs.
    long WaitForExit(DWORD timeoutMs = 10000);

private:
    PROCESS_INFORMATION m_pi{};
};

} // namespace test
