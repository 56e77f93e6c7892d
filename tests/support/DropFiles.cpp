#include "tests/support/DropFiles.h"

#include <shlobj.h>

#include <cstring>

namespace test {

HDROP MakeDrop(const std::vector<std::string>& paths, POINT at)
{
    size_t bytes = sizeof(DROPFILES) + 1;
    for (const std::string& p : paths) bytes += p.size() + 1;
    HGLOBAL mem = GlobalAlloc(GHND, bytes);
    auto* df = static_cast<DROPFILES*>(GlobalLock(mem));
    df->pFiles = sizeof(DROPFILES);
    df->pt = at;
    df->fNC = FALSE;
    df->fWide = FALSE;
    char* out = reinterpret_cast<char*>(df) + sizeof(DROPFILES);
    for (const std::string& p : paths) {
        std::memcpy(out, p.c_str(), p.size() + 1);
        out += p.size() + 1;
    }
    *out = '\0';
    GlobalUnlock(mem);
    return static_cast<HDROP>(mem);
}

} // namespace test
