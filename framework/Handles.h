#pragma once
// Handles that close themselves on every way out.

#include <windows.h>

class CModule {
public:
    explicit CModule(const char* name) : m_h(LoadLibraryA(name)) {}
    CModule(const CModule&) = delete;
    CModule& operator=(const CModule&) = delete;
    ~CModule() { if (m_h) FreeLibrary(m_h); }
    explicit operator bool() const { return m_h != nullptr; }
    template <class Fn> Fn Proc(const char* name) const
    {
        return m_h ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m_h, name))) : nullptr;
    }

private:
    HMODULE m_h;
};

class CHandle {
public:
    explicit CHandle(HANDLE h = INVALID_HANDLE_VALUE) : m_h(h) {}
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;
    ~CHandle() { Reset(); }
    HANDLE Get() const { return m_h; }
    bool Valid() const { return m_h != INVALID_HANDLE_VALUE && m_h != nullptr; }
    void Reset(HANDLE h = INVALID_HANDLE_VALUE)
    {
        if (Valid()) CloseHandle(m_h);
        m_h = h;
    }
    HANDLE Release() { HANDLE h = m_h; m_h = INVALID_HANDLE_VALUE; return h; }

private:
    HANDLE m_h;
};
