#include "lib/BrowseFor.h"

#include "lib/PathFunc.h"

CBrowseForFile::CBrowseForFile(CWnd* parent, const char* title, const char* initDir)
    : CBrowseForDirectory(parent, title, initDir)
{
}

void CBrowseForFile::PrepareBrowse() { m_bi.ulFlags = BIF_BROWSEINCLUDEFILES; }

CString CBrowseForFile::GetFilePath() const { return CString(m_szPath); }

CString CBrowseForFile::GetFileDir() const { return PathToDir(m_szPath); }

CString CBrowseForFile::GetFileName() const { return PathToFileName(m_szPath); }

CString CBrowseForFile::GetFileTitle() const { return PathToFileTitle(m_szPath); }

CString CBrowseForFile::GetDriveName() const { return PathToDriveName(m_szPath); }

CString CBrowseForFile::GetFileExt() const
{
    char ext[MAX_PATH] = {};
    PathToFileExtentionN(m_szPath, ext, sizeof ext);
    return CString(ext);
}
