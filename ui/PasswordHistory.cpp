#include "ui/PasswordHistory.h"

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
