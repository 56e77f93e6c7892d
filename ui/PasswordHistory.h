#pragma once
// The password history: "PassList.dat" beside the program, one password per
// line exactly as typed, top entry first.

#include "framework/CString.h"

#include <vector>

class CListBox;
class CComboBox;

// Moves password to the top: the first entry equal to it (byte for byte)
// leaves its place, or it is inserted when there is none. An empty password
// changes nothing.
void RecordPass(std::vector<CString>& entries, const CString& password);
// The same rule on the main window's history list and on the command-line
// dialog's password combo box.
void RecordPass(CListBox& list, const CString& password);
void RecordPass(CComboBox& combo, const CString& password);

// Entries of the list, top first.
std::vector<CString> EntriesOf(const CListBox& list);
std::vector<CString> EntriesOf(const CComboBox& combo);

// The history file: the program's folder and string resource 102.
CString HistoryFilePath();

// Every line of the file, in order; the file is created empty when missing.
// A file that cannot be opened gives an empty list.
std::vector<CString> LoadHistory(const char* path);

// Makes the file hold entries, one per line. The new text is written beside
// the file and replaces it only when complete, so a failure (true) leaves
// the old history whole.
bool SaveHistory(const char* path, const std::vector<CString>& entries);
