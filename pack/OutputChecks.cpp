#include "pack/OutputChecks.h"

#include "framework/MessageBox.h"
#include "lib/PathFunc.h"
#include "pack/DesktopFolder.h"
#include "pack/OutputMode.h"

namespace {

bool IsEmptyText(const char* s) { return !s || !*s; }

// An existing folder: a file of that name is no place for archives. Asked
// with a final backslash, so a drive root ("D:") counts and a pattern
// ("out*") matches nothing.
bool IsFolder(const char* path)
{
    if (IsEmptyText(path)) return false;
    const DWORD attributes = GetFileAttributesA(DirToPath(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Stop(HWND owner, const char* text, const char* caption = nullptr, UINT type = MB_OK)
{
    FwMessageBox(owner, text, caption, type);
    return true;
}

} // namespace

bool CheckDropOutputName(HWND owner, bool singles, const char* name)
{
    return !singles && IsEmptyText(name) && Stop(owner, "出力ファイル名を入力してください");
}

bool CheckDropOutputFolder(HWND owner, int mode, const char* fieldText, CString& folder)
{
    folder.Empty();
    switch (mode) {
    case OutputToFolder:
        if (IsEmptyText(fieldText)) return Stop(owner, "出力先が指定されていません");
        CreateDirectoryA(fieldText, nullptr);  // a failure shows as the test below
        if (!IsFolder(PathToDir(fieldText))) return Stop(owner, "出力先が無効です");
        folder = fieldText;
        return false;
    case OutputBesideSource:
        return false;
    default:
        folder = GetDesktopFolder();
        if (folder.IsEmpty()) return Stop(owner, "デスクトップのパスの取得に失敗しました", nullptr, MB_ICONERROR | MB_OK);
        return false;
    }
}

bool CheckCommandOutputName(HWND owner, bool singles, const char* name)
{
    return !singles && IsEmptyText(name) && Stop(owner, "出力ファイル名が設定されていません");
}

CString ProposeCommandOutputFolder(int mode, const char* outDir, const char* firstItem, bool* desktopMissing)
{
    if (desktopMissing) *desktopMissing = false;
    switch (mode) {
    case OutputToFolder:
        return CString(outDir);
    case OutputBesideSource:
        return PathToDirectoryDir(firstItem);
    case OutputToDesktop: {
        const CString desktop = GetDesktopFolder();
        if (desktop.IsEmpty() && desktopMissing) *desktopMissing = true;
        return desktop;
    }
    default:
        return CString();
    }
}

bool PrepareCommandOutputFolder(HWND owner, const char* fieldText, CString& folder)
{
    folder = PathToDir(fieldText);
    if (folder.IsEmpty()) return Stop(owner, "出力先が設定されていません");
    if (!IsFolder(folder) && !CreateDirectoryA(folder, nullptr))
        return Stop(owner, "出力先ディレクトリの作成に失敗しました", folder, MB_ICONERROR | MB_OK);
    return false;
}
