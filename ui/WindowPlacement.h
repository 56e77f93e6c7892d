#pragma once
// Keeping a restored window where the user can reach it.

#include <windows.h>

// rect moved, not resized, to lie within area; a rect wider or taller than
// area gets area's left or top edge. Works for any int coordinates.
RECT FitRectInArea(const RECT& rect, const RECT& area);

// A window of size at topLeft, moved onto the work area of the monitor
// nearest to it when any part would lie outside that work area.
RECT KeepOnScreen(POINT topLeft, SIZE size);
