#include "pack/ZipItem.h"

#include "framework/Handles.h"
#include "lib/PathFunc.h"

#include <cstring>

namespace {

using ZipFn = int(WINAPI*)(HWND owner, const char* command, char* output, DWORD size);
using ZipGetVersionFn = int(WINAPI*)();

const char kArchiverDll[] = "zip32j.dll";

bool NeedsQuotes(const char* s) { return std::strpbrk(s, " \t\"") != nullptr; }

CString QuotePassword(const char* password)
{
    CString q('"');
    for (const char* p = password; *p; ++p) {
        q += *p;
        if (*p == '"') q += '"';
    }
    q += '"';
    return q;
}

} // namespace

bool BuildZipCommand(const char* source, const char* archive, const char* password, CString& command)
{
    const CString base = PathToDirectoryPath(source);
    const CString item = PathToFileName(source);

    CString name(archive ? archive : "");
    if (!std::strstr(name, ".zip")) name += ".zip";

    CString options("-qrS");
    if (password && *password) {
        const CString pass = NeedsQuotes(password) ? QuotePassword(password) : CString(password);
        const CString old = options;
        options.Format("%sP %s", old.c_str(), pass.c_str());
    }
    command.Format("%s \"%s\" \"%s\" \"%s\"", options.c_str(), name.c_str(), base.c_str(), item.c_str());
    return command.GetLength() <= kMaxZipCommand;
}

bool ZipItem(const char* source, const char* archive, const char* password)
{
    CString command;
    if (!BuildZipCommand(source, archive, password, command)) return true;

    CModule dll(kArchiverDll);
    if (!dll) return true;
    auto zip = dll.Proc<ZipFn>("Zip");
    if (!zip) return true;
    char output[1024] = {};
    return zip(nullptr, command, output, sizeof output) != 0;
}

bool CheckArchiver()
{
    CModule dll(kArchiverDll);
    if (!dll) return true;
    auto version = dll.Proc<ZipGetVersionFn>("ZipGetVersion");
    if (!version) return true;
    return (static_cast<unsigned>(version()) & 0xFFFFu) < 25;
}
