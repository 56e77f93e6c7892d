#include "archiver/FaultPoints.h"

#ifdef ZIP32J_FAULTS

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace fault {
namespace {

struct Fault {
    std::string point;
    uint64_t count = 0;
    uint64_t seen = 0;
    bool fired = false;
};

std::vector<Fault> g_faults;

Fault* Find(const char* point)
{
    for (Fault& f : g_faults)
        if (!f.fired && f.point == point) return &f;
    return nullptr;
}

} // namespace

void Reset()
{
    g_faults.clear();
    char value[256] = {};
    if (!GetEnvironmentVariableA("ZIP32J_FAULT", value, sizeof value)) return;
    for (char* spec = std::strtok(value, ","); spec; spec = std::strtok(nullptr, ",")) {
        const char* colon = std::strchr(spec, ':');
        if (!colon) continue;
        Fault f;
        f.point.assign(spec, size_t(colon - spec));
        f.count = std::strtoull(colon + 1, nullptr, 10);
        g_faults.push_back(f);
    }
}

bool Hit(const char* point)
{
    Fault* f = Find(point);
    if (!f || ++f->seen < f->count) return false;
    f->fired = true;
    return true;
}

bool WriteHit(uint64_t bytes)
{
    Fault* f = Find("write");
    if (!f) return false;
    f->seen += bytes;
    if (f->seen <= f->count) return false;
    f->fired = true;
    return true;
}

} // namespace fault

#endif
