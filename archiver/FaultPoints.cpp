#include "archiver/FaultPoints.h"

#ifdef ZIP32J_FAULTS

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace fault {
namespace {

std::string g_point;
uint64_t g_count = 0;
uint64_t g_seen = 0;
bool g_fired = false;

} // namespace

void Reset()
{
    g_point.clear();
    g_count = g_seen = 0;
    g_fired = false;
    char value[128] = {};
    if (!GetEnvironmentVariableA("ZIP32J_FAULT", value, sizeof value)) return;
    const char* colon = std::strchr(value, ':');
    if (!colon) return;
    g_point.assign(value, size_t(colon - value));
    g_count = std::strtoull(colon + 1, nullptr, 10);
}

bool Hit(const char* point)
{
    if (g_fired || g_point != point) return false;
    if (++g_seen < g_count) return false;
    g_fired = true;
    return true;
}

bool WriteHit(uint64_t bytes)
{
    if (g_fired || g_point != "write") return false;
    g_seen += bytes;
    if (g_seen <= g_count) return false;
    g_fired = true;
    return true;
}

} // namespace fault

#endif
