#include "ui/WindowPlacement.h"

#include <algorithm>
#include <climits>

namespace {
LONG Clamp(long long v) { return static_cast<LONG>(std::clamp<long long>(v, INT_MIN, INT_MAX)); }

// Start of a span of length size inside [lo, hi).
long long FitSpan(long long start, long long size, long long lo, long long hi)
{
    if (start + size > hi) start = hi - size;
    if (start < lo) start = lo;
    return start;
}
} // namespace

RECT FitRectInArea(const RECT& rect, const RECT& area)
{
    const long long width = std::max<long long>(0, static_cast<long long>(rect.right) - rect.left);
    const long long height = std::max<long long>(0, static_cast<long long>(rect.bottom) - rect.top);
    const long long x = FitSpan(rect.left, width, area.left, area.right);
    const long long y = FitSpan(rect.top, height, area.top, area.bottom);
    return RECT{Clamp(x), Clamp(y), Clamp(x + width), Clamp(y + height)};
}

RECT KeepOnScreen(POINT topLeft, SIZE size)
{
    const RECT wanted{topLeft.x, topLeft.y, Clamp(static_cast<long long>(topLeft.x) + size.cx),
                      Clamp(static_cast<long long>(topLeft.y) + size.cy)};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &info)) return wanted;
    return FitRectInArea(wanted, info.rcWork);
}
