// zip32j.dll: the archiver entry points.

#include "archiver/AnsiText.h"
#include "archiver/ArchiveUpdate.h"
#include "archiver/CommandLine.h"
#include "archiver/FaultPoints.h"

#include <windows.h>

#include <cstring>
#include <new>

namespace {

// The reason (or what was done) into the caller's buffer, never past its size.
void Report(char* output, DWORD size, const std::string& text)
{
    if (!output || size == 0) return;
    const std::string clipped = ansi::Clip(text, size - 1);
    std::memcpy(output, clipped.data(), clipped.size());
    output[clipped.size()] = '\0';
}

constexpr int kVersion = 100;  // 1.00

} // namespace

extern "C" __declspec(dllexport) int WINAPI Zip(HWND owner, const char* command, char* output, DWORD outputSize)
{
    Status s;
    std::string summary;
    try {
        fault::Reset();
        ZipCommand parsed;
        s = ParseCommand(command, parsed);
        if (s) s = UpdateArchive(parsed, summary);
    } catch (const std::bad_alloc&) {
        s = Status::Fail("out of memory");
    } catch (...) {
        s = Status::Fail("unexpected failure");
    }
    Report(output, outputSize, s ? summary : "zip32j: " + s.Message());
    return s ? 0 : 1;
}

extern "C" __declspec(dllexport) int WINAPI ZipGetVersion()
{
    return kVersion;
}
