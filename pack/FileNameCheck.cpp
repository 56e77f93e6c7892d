#include "pack/FileNameCheck.h"

#include "framework/MessageBox.h"
#include "framework/Mbcs.h"

#include <cstring>

const char kForbiddenNameChars[] = "\\/:*?\"<>|";

FileNameRejection CheckTypedFileName(const char* name)
{
    FileNameRejection rejection;
    if (!name) return rejection;
    if (name[0] == '.') {
        rejection.text = "\".\"から始まるファイル名は指定できません";
        return rejection;
    }
    const int len = static_cast<int>(std::strlen(name));
    for (const char* c = kForbiddenNameChars; *c; ++c) {
        if (mbcs::FindChar(name, len, *c) >= 0) {
            rejection.text = "ファイル名に使用できない文字が含まれています";
            rejection.caption = kForbiddenNameChars;
            break;
        }
    }
    return rejection;
}

bool ValidateFileName(HWND edit, CString& name)
{
    const int length = GetWindowTextLengthA(edit);
    GetWindowTextA(edit, name.GetBuffer(length), length + 1);
    name.ReleaseBuffer();

    const FileNameRejection rejection = CheckTypedFileName(name);
    if (!rejection) return false;
    FwMessageBox(GetParent(edit), rejection.text, rejection.caption, MB_OK);
    name.Empty();
    SetWindowTextA(edit, "");
    SetFocus(edit);
    return true;
}
