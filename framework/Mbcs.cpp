#include "framework/Mbcs.h"

#include <windows.h>
#include <cstring>

namespace mbcs {

namespace {
struct LeadTable {
    bool lead[256] = {};
    LeadTable()
    {
        CPINFO info;
        if (!GetCPInfo(CP_ACP, &info)) return;
        for (int i = 0; i < MAX_LEADBYTES - 1 && info.LeadByte[i]; i += 2)
            for (int b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b) lead[b] = true;
    }
};
} // namespace

bool IsLead(unsigned char b)
{
    static const LeadTable table;
    return table.lead[b];
}

int FindChar(const char* s, int len, char ch, int start)
{
    for (int i = 0; i < len;) {
        if (i >= start && s[i] == ch) return i;
        i += Step(s + i);
    }
    return -1;
}

int ReverseFindChar(const char* s, int len, char ch)
{
    int found = -1;
    for (int i = 0; i < len; i += Step(s + i))
        if (s[i] == ch) found = i;
    return found;
}

int FindString(const char* s, int len, const char* sub, int start)
{
    const int subLen = static_cast<int>(std::strlen(sub));
    if (start < 0) start = 0;
    if (subLen == 0) return start <= len ? start : -1;
    for (int i = 0; i < len;) {
        if (i >= start && len - i >= subLen && std::memcmp(s + i, sub, subLen) == 0) return i;
        i += Step(s + i);
    }
    return -1;
}

bool EndsWithChar(const char* s, int len, char ch)
{
    int last = -1;
    for (int i = 0; i < len; i += Step(s + i)) last = i;
    return last >= 0 && last == len - 1 && s[last] == ch;
}

} // namespace mbcs
