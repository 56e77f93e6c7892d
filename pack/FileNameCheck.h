#pragma once
// The check of a typed output file name (the archive's name without ".zip").

#include <windows.h>

#include "framework/CString.h"

// Characters a file name may not hold; also the caption of their message.
extern const char kForbiddenNameChars[];

// The message that rejects a name, or none (text == nullptr) when it passes.
// caption == nullptr means the application title.
struct FileNameRejection {
    const char* text = nullptr;
    const char* caption = nullptr;
    explicit operator bool() const { return text != nullptr; }
};

// A name starting with "." is rejected first; then any of the nine forbidden
// characters, searched character-wise in the ANSI code page, so the second
// byte of 表 (0x5C) or ソ (0x7C) is no backslash or bar. Empty and blank
// names pass: an empty name is refused only when a batch starts.
FileNameRejection CheckTypedFileName(const char* name);

// For a dialog whose name field (edit) lost the focus: takes the field's text
// into name and checks it; a rejected name gets its message (owned by the
// dialog) and is emptied in the member and the field, and the field gets the
// focus back. true when the name was rejected.
bool ValidateFileName(HWND edit, CString& name);
