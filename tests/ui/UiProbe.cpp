// Finds and works top-level windows of another program, for scripts that
// drive the real program (scripts/screenshot).
//   uiprobe wait TITLE MS        waits until a visible window titled TITLE exists
//   uiprobe rect TITLE           prints its left, top, width and height
//   uiprobe command TITLE ID     posts the menu command ID to it
//   uiprobe close TITLE          posts WM_CLOSE to it
//   uiprobe settext TITLE ID TEXT sets the text of its control ID
// Exit code 0 on success, 1 when no such window exists.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
HWND Find(const char* title)
{
    HWND w = FindWindowA(nullptr, title);
    return w && IsWindowVisible(w) ? w : nullptr;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) return 2;
    const char* verb = argv[1];
    const char* title = argv[2];
    if (std::strcmp(verb, "wait") == 0) {
        const DWORD limit = argc > 3 ? static_cast<DWORD>(std::atoi(argv[3])) : 10000;
        for (const ULONGLONG end = GetTickCount64() + limit; GetTickCount64() < end; Sleep(100)) {
            if (Find(title)) return 0;
        }
        return 1;
    }
    HWND w = Find(title);
    if (!w) return 1;
    if (std::strcmp(verb, "rect") == 0) {
        RECT r;
        GetWindowRect(w, &r);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    } else if (std::strcmp(verb, "command") == 0 && argc > 3) {
        PostMessageA(w, WM_COMMAND, MAKEWPARAM(std::atoi(argv[3]), 0), 0);
    } else if (std::strcmp(verb, "settext") == 0 && argc > 4) {
        SendMessageA(GetDlgItem(w, std::atoi(argv[3])), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
    } else if (std::strcmp(verb, "close") == 0) {
        PostMessageA(w, WM_CLOSE, 0, 0);
    } else {
        return 2;
    }
    return 0;
}
