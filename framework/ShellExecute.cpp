#include "framework/ShellExecute.h"

#include <shellapi.h>

HINSTANCE FwShellExecute(HWND owner, const char* verb, const char* file, const char* parameters,
                         const char* directory, int show)
{
    auto hook = reinterpret_cast<FwShellExecuteHookFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(nullptr), "FwShellExecuteHook")));
    if (hook) return hook(owner, verb, file, parameters, directory, show);
    return ShellExecuteA(owner, verb, file, parameters, directory, show);
}
