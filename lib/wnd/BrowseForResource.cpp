#include "lib/BrowseFor.h"

#include "framework/CWnd.h"

namespace {
// Selects the initial folder once the dialog is up.
int CALLBACK SelectInitialFolder(HWND dialog, UINT msg, LPARAM, LPARAM data)
{
    const char* initDir = reinterpret_cast<const char*>(data);
    if (msg == BFFM_INITIALIZED && initDir && *initDir) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}
} // namespace

CBrowseForResource::CBrowseForResource(CWnd* parent, const char* title, const char* initDir)
    : m_pParent(parent), m_pszTitle(title), m_pszInitDir(initDir), m_szPath(), m_bi()
{
    m_bi.hwndOwner = parent ? parent->GetSafeHwnd() : nullptr;
    m_bi.pidlRoot = nullptr;
    m_bi.pszDisplayName = m_szPath;
    m_bi.lpszTitle = title;
    m_bi.ulFlags = BIF_VALIDATE | BIF_STATUSTEXT;
    m_bi.lpfn = &SelectInitialFolder;
    m_bi.lParam = reinterpret_cast<LPARAM>(initDir);
    m_bi.iImage = 0;
}

CBrowseForResource::~CBrowseForResource() = default;

bool CBrowseForResource::DoModal()
{
    PrepareBrowse();
    PIDLIST_ABSOLUTE item = SHBrowseForFolderA(&m_bi);
    if (!item) return false;
    if (!SHGetPathFromIDListA(item, m_szPath)) m_szPath[0] = '\0';
    CoTaskMemFree(item);
    AfterBrowse();
    return true;
}
