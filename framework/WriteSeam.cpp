#include "framework/WriteSeam.h"

BOOL FwWriteFile(HANDLE file, const void* data, DWORD size, DWORD* written)
{
    // Looked up once: the program's exports do not change while it runs.
    static const auto hook = reinterpret_cast<FwWriteFileHookFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(nullptr), "FwWriteFileHook")));
    DWORD allowed = hook ? hook(file, size) : size;
    if (allowed >= size) return WriteFile(file, data, size, written, nullptr);

    DWORD put = 0;
    if (allowed) WriteFile(file, data, allowed, &put, nullptr);
    if (written) *written = put;
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}
