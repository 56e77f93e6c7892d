#include "ui/DragEdit.h"

#include "framework/CFile.h"
#include "framework/CWinApp.h"
#include "pack/DropHandle.h"
#include "pack/OutputMode.h"
#include "ui/MainDlg.h"

const MsgMap* CDragEdit::GetMessageMap() const
{
    static const MsgMapEntry entries[] = {
        {WM_DROPFILES, 0, 0, fw::Handler<&CDragEdit::OnDropFiles>},
        {},
    };
    static const MsgMap map{CEdit::GetMessageMap(), entries};
    return &map;
}

void CDragEdit::OnDropFiles(WPARAM drop, LPARAM)
{
    CDropHandle files(reinterpret_cast<HDROP>(drop));
    CFileStatus status;
    const CString path = files.Path(0);
    if (path.IsEmpty() || !CFile::GetStatus(path, status) || !(status.m_attribute & CFile::directory)) return;
    SetWindowText(path);
    const char* commandLine = AfxGetApp() ? AfxGetApp()->m_lpCmdLine : "";
    if (!*commandLine) {
        if (auto* main = dynamic_cast<CMainDlg*>(GetParent())) main->SetOutputMode(OutputToFolder);
    }
    Default();
}
