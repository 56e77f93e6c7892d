#pragma once
// COutFile: one text file as a numbered list of lines (from 1). The file is
// opened, or created empty, by the constructor and held open with no sharing
// until the destructor. Every change is written at once; every read starts
// at the top of the file. Lines end at LF (a CR before it is dropped) and
// are written with CR LF; other bytes pass unchanged.
// A bool result is true when the operation failed; GetErrorMsg() then says
// why, in Japanese. No operation shows a message or throws a file error.

#include "framework/CStdioFile.h"
#include "framework/CString.h"
#include "lib/HobrinApi.h"

class HOBRIN_API COutFile {
public:
    // Opens path (null: ""), or creates it when nothing is there. On failure
    // GetErrorMsg() is not empty, the count is 0, reads give "" and every
    // change fails, keeping that text.
    explicit COutFile(const char* path);
    ~COutFile();
    COutFile(const COutFile&) = delete;
    COutFile& operator=(const COutFile&) = delete;

    // Appends text as lines; a final line feed is added when missing, and a
    // last line of the file without its line end is ended first. On failure
    // the file is cut back to what it held.
    bool AddLine(CString text);
    // Removes count lines from line first on (first < 1 counts as 1; lines
    // past the end are skipped) by rewriting the file. The old bytes stay in
    // the file until the new ones are complete; a failure puts them back.
    bool DeleteLine(int count, int first);
    // Drops line 1 and appends text, in one rewrite: both happen or neither.
    bool DeleteAddLine(CString text);
    // count lines from line first on, each followed by '\n', or "" when any
    // of them is missing; with count 1, the line without its '\n'.
    CString ReadLineEx(int count, int first);
    // Empties the file.
    bool Clear();

    int GetLineCount() const { return m_nLineCount; }
    CString GetErrorMsg() const { return m_strErrorMsg; }
    CString GetFilePath() const { return m_strFilePath; }

private:
    bool Rewrite(int count, int first, const char* append);
    bool Fail(const CString& text);

    CString m_strFilePath;
    CStdioFile m_file;
    int m_nLineCount;
    CString m_strErrorMsg;
};
