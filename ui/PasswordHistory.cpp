#include "ui/PasswordHistory.h"

#include "framework/CWinApp.h"
#include "lib/OutFile.h"
#include "lib/PathFunc.h"
#include "res/resource.h"

void RecordPass(std::vector<CString>& entries, const CString& password)
{
    if (password.IsEmpty()) return;
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (*it == password) {
            entries.erase(it);
            break;
        }
    }
    entries.insert(entries.begin(), password);
}

CString HistoryFilePath()
{
    char program[MAX_PATH] = {};
    GetModuleFileNameA(AfxGetInstanceHandle(), program, MAX_PATH);
    CString name;
    name.LoadString(IDS_PASSLIST_FILE, AfxGetInstanceHandle());
    return PathToDirectoryPath(program) + name;
}

std::vector<CString> LoadHistory(const char* path)
{
    COutFile file(path);
    std::vector<CString> entries;
    for (int n = 1; n <= file.GetLineCount(); ++n) entries.push_back(file.ReadLineEx(1, n));
    return entries;
}

bool SaveHistory(const char* path, const std::vector<CString>& entries)
{
    const CString temp = CString(path) + ".new~";
    bool failed;
    {
        COutFile file(temp);
        failed = !file.GetErrorMsg().IsEmpty() || file.Clear();
        for (const CString& entry : entries) {
            if (failed) break;
            failed = file.AddLine(entry);
        }
    }
    if (!failed) failed = !MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (failed) DeleteFileA(temp);
    return failed;
}
