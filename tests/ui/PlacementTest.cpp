#include "ui/WindowPlacement.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct FitCase {
    const char* name;
    RECT rect;
    RECT expected;
};

TEST(PlacementTest, RectsAreMovedIntoTheAreaWithoutResizing)
{
    const RECT area{0, 0, 1024, 738};
    const FitCase cases[] = {
        {"inside stays", {100, 50, 400, 450}, {100, 50, 400, 450}},
        {"right of the screen", {5000, 100, 5300, 500}, {724, 100, 1024, 500}},
        {"below the screen", {10, 3000, 310, 3400}, {10, 338, 310, 738}},
        {"left and above", {-900, -700, -600, -300}, {0, 0, 300, 400}},
        {"partly off the right edge", {900, 10, 1200, 410}, {724, 10, 1024, 410}},
        {"larger than the area", {-50, -50, 2000, 1000}, {0, 0, 2050, 1050}},
        {"extreme coordinates", {INT_MAX - 10, INT_MIN + 5, INT_MAX, INT_MIN + 400}, {1014, 0, 1024, 395}},
    };
    for (const FitCase& c : cases) {
        const RECT r = FitRectInArea(c.rect, area);
        EXPECT_EQ(r.left, c.expected.left) << c.name;
        EXPECT_EQ(r.top, c.expected.top) << c.name;
        EXPECT_EQ(r.right, c.expected.right) << c.name;
        EXPECT_EQ(r.bottom, c.expected.bottom) << c.name;
    }
}

TEST(PlacementTest, KeepOnScreenUsesTheNearestWorkArea)
{
    const RECT probe{0, 0, 1, 1};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfoA(MonitorFromRect(&probe, MONITOR_DEFAULTTONEAREST), &info));
    const RECT work = info.rcWork;

    const RECT away = KeepOnScreen(POINT{50000, -40000}, SIZE{300, 400});
    EXPECT_EQ(away.right, work.right);
    EXPECT_EQ(away.top, work.top);
    EXPECT_EQ(away.right - away.left, 300);
    EXPECT_EQ(away.bottom - away.top, 400);

    const RECT inside = KeepOnScreen(POINT{work.left + 20, work.top + 30}, SIZE{100, 100});
    EXPECT_EQ(inside.left, work.left + 20);
    EXPECT_EQ(inside.top, work.top + 30);
}

} // namespace
