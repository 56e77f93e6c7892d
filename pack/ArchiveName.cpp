#include "pack/ArchiveName.h"

#include "framework/CFile.h"
#include "framework/MessageBox.h"
#include "lib/PathFunc.h"

#include <cstring>

CString ItemArchiveName(const char* item)
{
    CFileStatus status;
    // A folder typed with a final backslash is still a folder.
    if (CFile::GetStatus(PathToDir(item), status) && (status.m_dwAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return PathToFileName(item);
    const CString title = PathToFileTitle(item);
    return title.IsEmpty() ? PathToFileName(item) : title;
}

CString BatchArchiveName(bool singles, const char* item, const char* outputName)
{
    return singles ? ItemArchiveName(item) : CString(outputName);
}

bool ArchivePath(const char* folder, const char* name, CString& path)
{
    path.Format("%s\\%s", folder ? folder : "", name ? name : "");
    // ZipItem adds ".zip" unless the text holds it already.
    const int zip = std::strstr(path, ".zip") ? 0 : 4;
    return path.GetLength() + zip > kMaxArchivePath;
}

void ReportLongArchivePath(HWND owner, const char* path)
{
    CString text("出力ファイルのパスが長すぎます\n");
    text += path;
    FwMessageBox(owner, text, nullptr, MB_ICONERROR | MB_OK);
}
