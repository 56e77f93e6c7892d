// Driver for bench/splitter.sh: one split with CFileCat, or one plain copy
// of the same file, timed inside the process.
//   splitter_bench split SOURCE OUTDIR PIECESIZE
//   splitter_bench copy SOURCE TARGET

#include "lib/FileCat.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
double Seconds(LARGE_INTEGER from)
{
    LARGE_INTEGER now, freq;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&freq);
    return static_cast<double>(now.QuadPart - from.QuadPart) / static_cast<double>(freq.QuadPart);
}
} // namespace

int main(int argc, char** argv)
{
    LARGE_INTEGER start;
    if (argc == 5 && std::strcmp(argv[1], "split") == 0) {
        CFileCat cat(nullptr, argv[2], argv[3], "piece", "cat", static_cast<DWORD>(std::strtoul(argv[4], nullptr, 10)));
        QueryPerformanceCounter(&start);
        const int result = cat.FileCat(1);
        std::printf("%.3f %d\n", Seconds(start), result);
        return result;
    }
    if (argc == 4 && std::strcmp(argv[1], "copy") == 0) {
        QueryPerformanceCounter(&start);
        const BOOL ok = CopyFileA(argv[2], argv[3], FALSE);
        std::printf("%.3f %d\n", Seconds(start), ok ? 0 : 1);
        return ok ? 0 : 1;
    }
    std::fprintf(stderr, "usage: splitter_bench split SOURCE OUTDIR PIECESIZE | copy SOURCE TARGET\n");
    return 2;
}
