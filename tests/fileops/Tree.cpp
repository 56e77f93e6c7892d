#include "tests/fileops/Tree.h"

#include "tests/support/TestSupport.h"

#include <algorithm>

namespace tree {

CString At(const CString& root, const std::string& rel)
{
    if (rel.empty()) return root;
    CString r(rel);
    r.Replace("/", "\\");
    return root + "\\" + r;
}

void Make(const CString& root, const std::vector<std::string>& entries)
{
    for (std::string e : entries) {
        const bool readOnly = !e.empty() && e[0] == '!';
        if (readOnly) e.erase(0, 1);
        const size_t eq = e.find('=');
        const std::string rel = e.substr(0, eq);
        for (size_t slash = rel.find('/'); slash != std::string::npos; slash = rel.find('/', slash + 1))
            test::MakeDir(At(root, rel.substr(0, slash)));
        if (eq == std::string::npos) continue;
        const CString path = At(root, rel);
        test::WriteBytes(path, e.substr(eq + 1));
        if (readOnly) SetFileAttributesA(path, FILE_ATTRIBUTE_READONLY);
    }
}

namespace {
void Collect(const CString& dir, const std::string& prefix, std::vector<std::string>& out)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(dir + "\\*", &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = fd.cFileName;
        if (name == "." || name == "..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out.push_back(prefix + name + "/");
            Collect(dir + "\\" + name.c_str(), prefix + name + "/", out);
        } else {
            out.push_back(prefix + name + "=" + test::ReadBytes(dir + "\\" + name.c_str()));
        }
    } while (FindNextFileA(h, &fd));
    FindClose(h);
}
} // namespace

std::string List(const CString& root)
{
    std::vector<std::string> entries;
    Collect(root, "", entries);
    return Lines(entries);
}

std::string Lines(std::vector<std::string> entries)
{
    std::sort(entries.begin(), entries.end());
    std::string joined;
    for (const auto& e : entries) joined += e + "\n";
    return test::Utf8(joined);
}

} // namespace tree
