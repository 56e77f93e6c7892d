#include "framework/MessageBox.h"

#include "framework/CString.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

const char* ModuleTitle()
{
    static const CString title = [] {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(reinterpret_cast<HMODULE>(&__ImageBase), path, MAX_PATH);
        CString full(path);
        full = full.Mid(full.ReverseFind('\\') + 1);
        const int dot = full.ReverseFind('.');
        return dot >= 0 ? full.Left(dot) : full;
    }();
    return title;
}

int FwMessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    if (!caption) caption = ModuleTitle();
    auto hook = reinterpret_cast<FwMessageBoxHookFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(nullptr), "FwMessageBoxHook")));
    if (hook) return hook(owner, text, caption, type);
    return MessageBoxA(owner, text, caption, type);
}

int AfxMessageBox(const char* text, UINT type)
{
    HWND owner = GetActiveWindow();
    return FwMessageBox(owner, text, nullptr, type);
}
