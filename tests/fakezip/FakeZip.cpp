// Stand-in archiver for testing the archiver call: it records the command
// line bytes it is handed and answers with a chosen result and version.
//   FAKEZIP_LOG      file that receives the command line (replaced each call)
//   FAKEZIP_RESULT   value Zip returns (default 0)
//   FAKEZIP_VERSION  value ZipGetVersion returns (default 100)
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {
int EnvInt(const char* name, int def)
{
    char buf[32];
    const DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
    return (n > 0 && n < sizeof buf) ? static_cast<int>(std::strtol(buf, nullptr, 0)) : def;
}
} // namespace

#ifndef FAKEZIP_NO_ZIP
extern "C" __declspec(dllexport) int WINAPI Zip(HWND, const char* command, char* output, DWORD size)
{
    char log[MAX_PATH];
    const DWORD n = GetEnvironmentVariableA("FAKEZIP_LOG", log, sizeof log);
    if (n > 0 && n < sizeof log) {
        HANDLE h = CreateFileA(log, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD put = 0;
        WriteFile(h, command, static_cast<DWORD>(std::strlen(command)), &put, nullptr);
        CloseHandle(h);
    }
    if (output && size) output[0] = '\0';
    return EnvInt("FAKEZIP_RESULT", 0);
}
#endif

#ifndef FAKEZIP_NO_VERSION
extern "C" __declspec(dllexport) int WINAPI ZipGetVersion()
{
    return EnvInt("FAKEZIP_VERSION", 100);
}
#endif
