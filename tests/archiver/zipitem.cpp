// Runs the program's own archiver call (ZipItem, CheckArchiver) against the
// zip32j.dll beside it. The file given holds three lines of raw code page 932
// bytes: source, archive, password (may be empty). Prints the two results.

#include "pack/ZipItem.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2) return 2;
    FILE* f = std::fopen(argv[1], "rb");
    if (!f) return 2;
    std::string all;
    char buf[1024];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) all.append(buf, n);
    std::fclose(f);
    std::string lines[3];
    size_t at = 0;
    for (std::string& line : lines) {
        const size_t end = all.find('\n', at);
        line = all.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? all.size() : end + 1;
    }
    const bool checkFailed = CheckArchiver();
    const bool zipFailed = ZipItem(lines[0].c_str(), lines[1].c_str(), lines[2].c_str());
    std::printf("check=%s zip=%s\n", checkFailed ? "failed" : "ok", zipFailed ? "failed" : "ok");
    return checkFailed || zipFailed ? 1 : 0;
}
