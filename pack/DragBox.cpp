#include "pack/DragBox.h"

#include "framework/MessageBox.h"
#include "lib/PathFunc.h"
#include "pack/ArchiveName.h"
#include "pack/DropHandle.h"
#include "pack/OutputChecks.h"
#include "pack/OutputMode.h"
#include "pack/PackingState.h"
#include "pack/ZipItem.h"
#include "res/resource.h"
#include "ui/MainDlg.h"
#include "ui/PasswordHistory.h"

#include <vector>

const MsgMap* CDragBox::GetMessageMap() const
{
    static const MsgMapEntry entries[] = {
        {WM_DROPFILES, 0, 0, fw::Handler<&CDragBox::OnDropFiles>},
        {},
    };
    static const MsgMap map{CWnd::GetMessageMap(), entries};
    return &map;
}

void CDragBox::OnDropFiles(WPARAM drop, LPARAM)
{
    CDropHandle files(reinterpret_cast<HDROP>(drop));
    auto* dlg = dynamic_cast<CMainDlg*>(GetParent());
    if (!dlg) return;
    const int mode = dlg->GetOutputMode();  // pulls every control into the members

    if (CheckDropOutputName(m_hWnd, dlg->m_bSingles, dlg->m_strFileName)) return;
    CString folder;
    if (CheckDropOutputFolder(m_hWnd, mode, dlg->m_editOutDir.GetWindowText(), folder)) return;

    const std::vector<CString> items = files.Paths();
    if (items.empty()) return;
    if (mode == OutputBesideSource) folder = PathToDirectoryDir(items[0]);

    // Every archive path is known before the first call, so a path that would
    // be too long stops the batch before anything is written.
    std::vector<CString> archives;
    for (const CString& item : items) {
        CString archive;
        if (ArchivePath(folder, BatchArchiveName(dlg->m_bSingles, item, dlg->m_strFileName), archive)) {
            ReportLongArchivePath(m_hWnd, archive);
            return;
        }
        archives.push_back(archive);
    }

    const CString password = dlg->m_strPass;
    CPackingState busy(*dlg, *this, dlg->m_bTray);
    busy.Begin();
    for (size_t i = 0; i < items.size(); ++i) {
        if (ZipItem(items[i], archives[i], password)) {
            busy.Restore();
            FwMessageBox(m_hWnd, "圧縮エラーが発生しました", nullptr, MB_ICONERROR | MB_OK);
            return;
        }
    }

    RecordPass(dlg->m_listHistory, password);
    busy.RemoveIcon();
    if (dlg->m_bMsg) FwMessageBox(dlg->m_hWnd, "正常に終了しました", "完了", MB_OK);
    if (dlg->m_bAutoFinish) {
        dlg->SendMessage(WM_CLOSE);
        return;
    }
    busy.Restore();
    ::SetFocus(dlg->GetDlgItem(IDC_PASS));
}
