#pragma once
// The program's application object pointed at a test INI file, with the help
// engine replaced by a record of the calls.

#include "app/MainApp.h"
#include "framework/IniFile.h"

#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

class TestApp : public CMainApp {
public:
    explicit TestApp(const char* ini)
    {
        SetUp(GetModuleHandleA(nullptr), "", SW_SHOWNORMAL);
        free(const_cast<char*>(m_pszProfileName));
        m_pszProfileName = _strdup(ini);
    }
    void WinHelp(DWORD_PTR data, UINT command) override { helps.emplace_back(data, command); }

    int Saved(const char* key) const { return ini::ReadInt(m_pszProfileName, "Main", key, -12345); }
    CString SavedText(const char* key) const { return ini::ReadString(m_pszProfileName, "Main", key, "<missing>"); }

    std::vector<std::pair<DWORD_PTR, UINT>> helps;
};
