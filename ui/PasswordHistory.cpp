#include "ui/PasswordHistory.h"

#include "framework/CComboBox.h"
#include "framework/CListBox.h"
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

namespace {

CString EntryText(const CListBox& list, int i) { return list.GetText(i); }
CString EntryText(const CComboBox& combo, int i) { return combo.GetLBText(i); }

template <class List> void RecordPassIn(List& list, const CString& password)
{
    if (password.IsEmpty()) return;
    const int count = list.GetCount();
    for (int i = 0; i < count; ++i) {
        if (EntryText(list, i) == password) {
            list.DeleteString(i);
            break;
        }
    }
    list.InsertString(0, password);
}

template <class List> std::vector<CString> EntriesIn(const List& list)
{
    std::vector<CString> entries;
    for (int i = 0; i < list.GetCount(); ++i) entries.push_back(EntryText(list, i));
    return entries;
}

} // namespace

void RecordPass(CListBox& list, const CString& password) { RecordPassIn(list, password); }
void RecordPass(CComboBox& combo, const CString& password) { RecordPassIn(combo, password); }
std::vector<CString> EntriesOf(const CListBox& list) { return EntriesIn(list); }
std::vector<CString> EntriesOf(const CComboBox& combo) { return EntriesIn(combo); }

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
