#pragma once
// The output-folder field (main window 1006, command-line dialog 1017): an
// edit control that also takes a folder dropped on it.

#include "framework/CEdit.h"

class CDragEdit : public CEdit {
protected:
    const MsgMap* GetMessageMap() const override;
    // The first dropped item, when it is a folder, becomes the field's text;
    // in the main window it also selects "出力先を指定".
    void OnDropFiles(WPARAM drop, LPARAM);
};
