#pragma once
// Helpers shared by the test programs.

#include "framework/CString.h"

#include <string>
#include <vector>

namespace test {

// A fresh folder under the temporary folder (or under parent), removed with
// all it holds.
class TempDir {
public:
    explicit TempDir(const char* parent = nullptr);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const CString& Path() const { return m_path; }       // no final backslash
    CString operator/(const char* name) const { return m_path + "\\" + name; }

private:
    CString m_path;
};

void WriteBytes(const char* path, const std::string& bytes);
std::string ReadBytes(const char* path);  // "" when missing
bool Exists(const char* path);
void MakeDir(const char* path);
void RemoveTree(const char* path);

// Every message box of the process while a test runs comes here.
struct MessageBoxCall {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
    // The owner's top-level window as the box found it.
    bool ownerRootVisible;
    std::string ownerRootTitle;
};
std::vector<MessageBoxCall>& MessageBoxes();
// Answer given to the next boxes (IDOK unless set).
void SetMessageBoxAnswer(int answer);

// Write faults of the file classes (framework/WriteSeam.h): after
// afterBytes more bytes have been written, the next `failures` writes fail
// with ERROR_DISK_FULL (the one that crosses the limit writes its part
// first, as on a full disk); later writes succeed again.
void FailWrites(long long afterBytes, int failures = 1);
void ResetWriteFaults();

// Every shell execution of the process (framework/ShellExecute.h) comes here
// and opens nothing; the answer is a success value.
struct ShellExecuteCall {
    HWND owner;
    std::string verb;  // "" for none
    bool hasVerb;
    std::string file;
    std::string parameters;
    std::string directory;
    int show;
};
std::vector<ShellExecuteCall>& ShellExecutes();

// A CP932 literal printed readably in failure messages (as UTF-8).
std::string Utf8(const std::string& cp932);

} // namespace test
