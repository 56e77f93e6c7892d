#pragma once
// A real shell drop handle for tests: DROPFILES followed by the paths
// (code page 932), as the shell hands it in WM_DROPFILES.

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace test {

// The caller owns the handle until it hands it over in WM_DROPFILES, whose
// receiver releases it with DragFinish.
HDROP MakeDrop(const std::vector<std::string>& paths, POINT at = {10, 10});

} // namespace test
