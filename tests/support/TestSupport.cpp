#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace test {

namespace {
int g_answer = IDOK;
long long g_writeBudget = -1;  // bytes still allowed before the faults; -1: no fault armed
int g_writeFailures = 0;
}

TempDir::TempDir(const char* parent)
{
    char base[MAX_PATH];
    if (parent)
        lstrcpynA(base, (CString(parent) + "\\").c_str(), MAX_PATH);
    else
        GetTempPathA(MAX_PATH, base);
    static LONG counter = 0;
    for (;;) {
        m_path.Format("%starnel-test-%lu-%ld", base, GetCurrentProcessId(), InterlockedIncrement(&counter));
        if (CreateDirectoryA(m_path, nullptr)) break;
    }
}

TempDir::~TempDir() { RemoveTree(m_path); }

void WriteBytes(const char* path, const std::string& bytes)
{
    HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << "cannot create " << Utf8(path);
    DWORD put = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
    CloseHandle(h);
}

std::string ReadBytes(const char* path)
{
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::string();
    std::string out;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got) out.append(buf, got);
    CloseHandle(h);
    return out;
}

bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

void MakeDir(const char* path) { CreateDirectoryA(path, nullptr); }

void RemoveTree(const char* path)
{
    const CString root(path);
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(root + "\\*", &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const CString name(fd.cFileName);
            if (name == "." || name == "..") continue;
            const CString full = root + "\\" + name;
            SetFileAttributesA(full, FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                DeleteFileA(full);
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    SetFileAttributesA(root, FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(root);
}

std::vector<MessageBoxCall>& MessageBoxes()
{
    static std::vector<MessageBoxCall> calls;
    return calls;
}

void SetMessageBoxAnswer(int answer) { g_answer = answer; }

void FailWrites(long long afterBytes, int failures)
{
    g_writeBudget = afterBytes;
    g_writeFailures = failures;
}

void ResetWriteFaults() { FailWrites(-1, 0); }

std::vector<ShellExecuteCall>& ShellExecutes()
{
    static std::vector<ShellExecuteCall> calls;
    return calls;
}

std::string Utf8(const std::string& cp932)
{
    const int wn = MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(wn), L'\0');
    MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), &w[0], wn);
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), wn, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), wn, &out[0], n, nullptr, nullptr);
    return out;
}

} // namespace test

extern "C" __declspec(dllexport) int FwMessageBoxHook(HWND owner, const char* text, const char* caption, UINT type)
{
    HWND root = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    char title[256] = {};
    if (root) GetWindowTextA(root, title, sizeof title);
    test::MessageBoxes().push_back(
        {owner, text ? text : "", caption ? caption : "", type, root && IsWindowVisible(root), title});
    return test::g_answer;
}

extern "C" __declspec(dllexport) DWORD FwWriteFileHook(HANDLE, DWORD size)
{
    using test::g_writeBudget;
    using test::g_writeFailures;
    if (g_writeBudget < 0 || g_writeFailures <= 0) return size;
    if (g_writeBudget >= static_cast<long long>(size)) {
        g_writeBudget -= size;
        return size;
    }
    const DWORD allowed = static_cast<DWORD>(g_writeBudget);
    g_writeBudget = 0;
    if (--g_writeFailures == 0) g_writeBudget = -1;
    return allowed;
}

extern "C" __declspec(dllexport) HINSTANCE FwShellExecuteHook(HWND owner, const char* verb, const char* file,
                                                              const char* parameters, const char* directory, int show)
{
    test::ShellExecutes().push_back({owner, verb ? verb : "", verb != nullptr, file ? file : "",
                                     parameters ? parameters : "", directory ? directory : "", show});
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}
