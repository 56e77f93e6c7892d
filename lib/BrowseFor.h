#pragma once
// Folder-browse dialogs of Hobrin.dll: the shell's folder tree, the chosen
// item handed back in the forms of the path functions ("Dir" without a final
// '\', "Path" with one).
//
// Construct, DoModal, then the getters when DoModal returned true. The title
// and the initial folder are kept as pointers: the caller keeps them alive
// until DoModal returns.

#include "framework/CString.h"
#include "lib/HobrinApi.h"

#include <shlobj.h>

class CWnd;

class HOBRIN_API CBrowseForResource {
public:
    // parent owns the dialog (its window taken now); title is shown above the
    // tree; initDir is selected when the dialog opens (null or "": the
    // dialog's own default).
    CBrowseForResource(CWnd* parent = nullptr, const char* title = nullptr, const char* initDir = nullptr);
    CBrowseForResource(const CBrowseForResource&) = delete;
    CBrowseForResource& operator=(const CBrowseForResource&) = delete;
    virtual ~CBrowseForResource();

    // true when the user chose an item, false when the dialog was cancelled.
    // An item without a file-system path gives an empty path.
    bool DoModal();

protected:
    // Sets m_bi's flags just before the dialog opens.
    virtual void PrepareBrowse() = 0;
    // Runs after a successful browse, m_szPath holding the chosen path.
    virtual void AfterBrowse() {}

    CWnd* m_pParent;
    const char* m_pszTitle;
    const char* m_pszInitDir;
    char m_szPath[MAX_PATH];
    BROWSEINFOA m_bi;
};

// Chooses a folder of the file system.
class HOBRIN_API CBrowseForDirectory : public CBrowseForResource {
public:
    CBrowseForDirectory(CWnd* parent = nullptr, const char* title = nullptr, const char* initDir = nullptr);

    // The chosen folder with one final '\' (empty stays empty).
    CString GetDirectoryPath() const;
    // The chosen folder without a final '\' (a drive root gives "X:").
    CString GetDirectoryDir() const;
    // Its last component; empty before a successful DoModal.
    CString GetDirectoryName() const;

protected:
    void PrepareBrowse() override;
    void AfterBrowse() override;

    char m_szName[MAX_PATH];
};

// Chooses a file or a folder in the same tree.
class HOBRIN_API CBrowseForFile : public CBrowseForDirectory {
public:
    CBrowseForFile(CWnd* parent = nullptr, const char* title = nullptr, const char* initDir = nullptr);

    // The chosen path as the shell gave it.
    CString GetFilePath() const;
    // The chosen path without a final '\' (for a file: the file itself).
    CString GetFileDir() const;
    CString GetFileName() const;
    // Name without its last ".ext".
    CString GetFileTitle() const;
    // Text before the first ':' ("C" for C:\x).
    CString GetDriveName() const;
    // From the last '.' of the path on, or "".
    CString GetFileExt() const;

protected:
    void PrepareBrowse() override;
};
