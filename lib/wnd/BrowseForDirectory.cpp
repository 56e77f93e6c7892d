#include "lib/BrowseFor.h"

#include "lib/PathFunc.h"

#include <cstring>

CBrowseForDirectory::CBrowseForDirectory(CWnd* parent, const char* title, const char* initDir)
    : CBrowseForResource(parent, title, initDir), m_szName()
{
}

void CBrowseForDirectory::PrepareBrowse() { m_bi.ulFlags = BIF_RETURNONLYFSDIRS; }

void CBrowseForDirectory::AfterBrowse() { lstrcpynA(m_szName, PathToFileName(m_szPath), MAX_PATH); }

CString CBrowseForDirectory::GetDirectoryPath() const { return DirToPath(m_szPath); }

CString CBrowseForDirectory::GetDirectoryDir() const { return PathToDir(m_szPath); }

CString CBrowseForDirectory::GetDirectoryName() const { return CString(m_szName); }
