#include "ui/CommandLineItems.h"

#include "framework/MessageBox.h"

#include <shellapi.h>

#include <string>

namespace {

// The argument in the ANSI code page; false when a character has no exact
// counterpart there.
bool ToAnsi(const wchar_t* arg, CString& text)
{
    text.Empty();
    BOOL lossy = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, arg, -1, nullptr, 0, nullptr, &lossy);
    if (size <= 1) return size == 1 && !lossy;
    char* buffer = text.GetBuffer(size);
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, arg, -1, buffer, size, nullptr, &lossy);
    text.ReleaseBuffer(size - 1);
    if (lossy) return false;
    // A round trip must give the argument back: best-fit tables may map
    // without saying so.
    const int back = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring again(static_cast<size_t>(back > 0 ? back : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &again[0], back);
    return again.c_str() == std::wstring(arg);
}

} // namespace

CommandLineProblem SplitCommandLine(const wchar_t* line, std::vector<CString>& items, CString& bad)
{
    items.clear();
    bad.Empty();
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(line && *line ? line : L"program", &count);
    if (!args) return CommandLineProblem::NoItems;
    CommandLineProblem problem = CommandLineProblem::None;
    for (int i = 1; i < count && problem == CommandLineProblem::None; ++i) {
        if (!*args[i]) continue;
        CString item;
        if (!ToAnsi(args[i], item))
            problem = CommandLineProblem::NotInCodePage;
        else if (item.GetLength() > kMaxItemPath)
            problem = CommandLineProblem::TooLong;
        if (problem != CommandLineProblem::None)
            bad = item;
        else
            items.push_back(item);
    }
    LocalFree(args);
    if (problem != CommandLineProblem::None) {
        items.clear();
        return problem;
    }
    return items.empty() ? CommandLineProblem::NoItems : CommandLineProblem::None;
}

void ReportCommandLineProblem(HWND owner, CommandLineProblem problem, const char* bad)
{
    CString text;
    switch (problem) {
    case CommandLineProblem::None:
        return;
    case CommandLineProblem::NoItems:
        text = "圧縮するファイルが指定されていません";
        break;
    case CommandLineProblem::TooLong:
        text = CString("圧縮するファイルのパスが長すぎます\n") + bad;
        break;
    case CommandLineProblem::NotInCodePage:
        text = CString("圧縮するファイルのパスに使用できない文字が含まれています\n") + bad;
        break;
    }
    FwMessageBox(owner, text, nullptr, MB_ICONERROR | MB_OK);
}
