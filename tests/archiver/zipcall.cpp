// Test and benchmark driver for zip32j.dll: loads the library the way the
// program does (once per call) and calls Zip with raw code page 932 command
// lines, so that names like 表 and ソ reach it byte for byte.
//
//   zipcall [--dll PATH] [--outsize N] [--stats] (--file LINES | --version | COMMAND...)
//
// --file runs each line of the file (raw bytes) as one call. Prints, per call,
// "rc=<result> ms=<time>" and "out=<output text>"; --stats adds the peak
// working set. Exit code: 0 when every call returned 0, 1 when one failed,
// 2 when the library or an entry point is missing, 3 when the library wrote
// past the output size it was given.

#include <windows.h>
#include <psapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using ZipFn = int(WINAPI*)(HWND, const char*, char*, DWORD);
using VersionFn = int(WINAPI*)();

std::string ExeFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path);
    return s.substr(0, s.find_last_of('\\') + 1);
}

bool ReadLines(const char* path, std::vector<std::string>& lines)
{
    FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    std::string all;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) all.append(buf, n);
    std::fclose(f);
    size_t start = 0;
    while (start < all.size()) {
        size_t end = all.find('\n', start);
        if (end == std::string::npos) end = all.size();
        std::string line = all.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
        start = end + 1;
    }
    return true;
}

size_t PeakMemory()
{
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    return pmc.PeakWorkingSetSize;
}

} // namespace

int main(int argc, char** argv)
{
    // Like the program, this process has the window and shell libraries loaded.
    GetSystemMetrics(SM_CXSCREEN);
    SHGetFolderPathA(nullptr, 0, nullptr, 0, nullptr);
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key) == ERROR_SUCCESS) RegCloseKey(key);
    std::string dll = "zip32j.dll";
    DWORD outSize = 1024;
    bool stats = false, version = false;
    std::vector<std::string> commands;
    std::string joined;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--dll" && i + 1 < argc) dll = argv[++i];
        else if (a == "--outsize" && i + 1 < argc) outSize = DWORD(std::strtoul(argv[++i], nullptr, 10));
        else if (a == "--stats") stats = true;
        else if (a == "--version") version = true;
        else if (a == "--file" && i + 1 < argc) {
            if (!ReadLines(argv[++i], commands)) {
                std::printf("cannot read %s\n", argv[i]);
                return 2;
            }
        } else {
            joined += (joined.empty() ? "" : " ") + a;
        }
    }
    if (!joined.empty()) commands.push_back(joined);
    if (dll.find(':') == std::string::npos && dll[0] != '\\') dll = ExeFolder() + dll;

    if (version) {
        HMODULE h = LoadLibraryA(dll.c_str());
        auto fn = h ? reinterpret_cast<VersionFn>(reinterpret_cast<void*>(GetProcAddress(h, "ZipGetVersion"))) : nullptr;
        if (!fn) return 2;
        std::printf("version=%u\n", unsigned(fn()) & 0xFFFFu);
        FreeLibrary(h);
        return 0;
    }

    if (stats) std::printf("peak_before=%zu\n", PeakMemory());
    int exitCode = 0;
    LARGE_INTEGER f, t0, t1, l0, l1;
    QueryPerformanceFrequency(&f);
    for (const std::string& command : commands) {
        QueryPerformanceCounter(&l0);
        HMODULE h = LoadLibraryA(dll.c_str());
        auto zip = h ? reinterpret_cast<ZipFn>(reinterpret_cast<void*>(GetProcAddress(h, "Zip"))) : nullptr;
        if (!zip) {
            std::printf("cannot load %s\n", dll.c_str());
            return 2;
        }
        const size_t guard = 64;
        std::vector<char> out(outSize + guard, '\xCC');
        std::memset(out.data(), 0, outSize);
        QueryPerformanceCounter(&t0);
        const int rc = zip(nullptr, command.c_str(), out.data(), outSize);
        QueryPerformanceCounter(&t1);
        FreeLibrary(h);
        QueryPerformanceCounter(&l1);
        for (size_t i = outSize; i < out.size(); ++i)
            if (out[i] != '\xCC') {
                std::printf("output written past its size\n");
                return 3;
            }
        const double ms = double(t1.QuadPart - t0.QuadPart) * 1000.0 / double(f.QuadPart);
        const double loadMs = double(l1.QuadPart - l0.QuadPart) * 1000.0 / double(f.QuadPart) - ms;
        std::printf("rc=%d ms=%.1f load_ms=%.1f\n", rc, ms, loadMs);
        std::printf("out=%.*s\n", int(strnlen(out.data(), outSize)), out.data());
        if (rc != 0) exitCode = 1;
    }
    if (stats) std::printf("peak_after=%zu\n", PeakMemory());
    std::fflush(stdout);
    return exitCode;
}
