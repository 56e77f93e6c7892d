#include "framework/IniFile.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

namespace ini {

namespace {

bool ReadAll(const char* path, std::string& text)
{
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(h, &size) && size.QuadPart < (1LL << 30);
    if (ok) {
        text.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        ok = text.empty() || (ReadFile(h, &text[0], static_cast<DWORD>(text.size()), &got, nullptr) && got == text.size());
    }
    CloseHandle(h);
    return ok;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t nl = text.find('\n', start);
        if (nl == std::string::npos) nl = text.size();
        std::string line = text.substr(start, nl - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = nl + 1;
    }
    return lines;
}

std::string Trim(const std::string& s)
{
    const size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return std::string();
    const size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

// Section name when line is "[name]", else false.
bool SectionOf(const std::string& line, std::string& name)
{
    const std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return false;
    const size_t close = t.find(']');
    if (close == std::string::npos) return false;
    name = Trim(t.substr(1, close - 1));
    return true;
}

// Key and value when line is "key=value" (not a comment).
bool KeyOf(const std::string& line, std::string& key, std::string& value)
{
    const std::string t = Trim(line);
    if (t.empty() || t[0] == ';') return false;
    const size_t eq = t.find('=');
    if (eq == std::string::npos) return false;
    key = Trim(t.substr(0, eq));
    value = Trim(t.substr(eq + 1));
    return true;
}

bool SameName(const std::string& a, const char* b) { return _stricmp(a.c_str(), b) == 0; }

} // namespace

CString ReadString(const char* file, const char* section, const char* key, const char* def)
{
    std::string text;
    if (ReadAll(file, text)) {
        bool inSection = false;
        for (const std::string& line : SplitLines(text)) {
            std::string name, k, v;
            if (SectionOf(line, name)) {
                inSection = SameName(name, section);
            } else if (inSection && KeyOf(line, k, v) && SameName(k, key)) {
                // A value written in quotes comes back without them.
                if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
                return CString(v);
            }
        }
    }
    return CString(def);
}

int ReadInt(const char* file, const char* section, const char* key, int def)
{
    const CString text = ReadString(file, section, key, nullptr);
    const char* s = text;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(s, &end, 10);
    if (end == s || errno == ERANGE || v < INT_MIN || v > INT_MAX) return def;
    return static_cast<int>(v);
}

BOOL ReplaceFileContents(const char* path, const void* data, size_t size)
{
    const std::string temp = std::string(path) + ".new~";
    HANDLE h = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return FALSE;
    DWORD put = 0;
    bool ok = size == 0 || (WriteFile(h, data, static_cast<DWORD>(size), &put, nullptr) && put == size);
    ok = FlushFileBuffers(h) && ok;
    ok = CloseHandle(h) && ok;
    if (ok) ok = MoveFileExA(temp.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    if (!ok) {
        const DWORD err = GetLastError();
        DeleteFileA(temp.c_str());
        SetLastError(err);
    }
    return ok ? TRUE : FALSE;
}

BOOL WriteString(const char* file, const char* section, const char* key, const char* value)
{
    std::string text;
    if (!ReadAll(file, text) && GetFileAttributesA(file) != INVALID_FILE_ATTRIBUTES) return FALSE;
    std::vector<std::string> lines = SplitLines(text);

    const std::string entry = value ? std::string(key) + "=" + value : std::string();
    int sectionLine = -1;
    int sectionEnd = -1;  // index after the last non-blank line of the section
    bool inSection = false;
    bool done = false;
    for (size_t i = 0; i < lines.size() && !done; ++i) {
        std::string name, k, v;
        if (SectionOf(lines[i], name)) {
            if (inSection) break;
            inSection = SameName(name, section);
            if (inSection) { sectionLine = static_cast<int>(i); sectionEnd = sectionLine + 1; }
        } else if (inSection) {
            if (KeyOf(lines[i], k, v) && SameName(k, key)) {
                if (value) lines[i] = entry;
                else lines.erase(lines.begin() + static_cast<long>(i));
                done = true;
            } else if (!Trim(lines[i]).empty()) {
                sectionEnd = static_cast<int>(i) + 1;
            }
        }
    }
    if (!done && value) {
        if (sectionLine < 0) {
            if (!lines.empty() && !Trim(lines.back()).empty()) lines.push_back(std::string());
            lines.push_back("[" + std::string(section) + "]");
            lines.push_back(entry);
        } else {
            lines.insert(lines.begin() + sectionEnd, entry);
        }
    }
    std::string out;
    for (const std::string& line : lines) out += line + "\r\n";
    return ReplaceFileContents(file, out.data(), out.size());
}

} // namespace ini
