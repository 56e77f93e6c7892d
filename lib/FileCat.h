#pragma once
// File splitter of Hobrin.dll: cuts a file into numbered pieces of a fixed
// size (name001.ext, name002.ext, ...; four digits from 1000 pieces up, and
// so on) and can write "Union.bat", which joins them again with copy /b.
// After each piece it sends 0x83A1 (wParam 0, lParam 0) to the window whose
// handle is stored where the notify pointer points.

#include "framework/CFileException.h"
#include "framework/CString.h"
#include "lib/HobrinApi.h"

// Message sent after each finished piece; the receiver counts them.
const UINT WM_FILECAT_PIECE = 0x83A1;

class HOBRIN_API CFileCat {
public:
    CFileCat();
    CFileCat(HWND* notify, CString source, CString outDir, CString baseName, CString extension, DWORD pieceSize);

    // Points the object at a source and an output folder (a final '\' is
    // dropped); the extension gets a leading "." when it has none.
    void SetCatInfo(HWND* notify, CString source, CString outDir, CString baseName, CString extension, DWORD pieceSize);

    // Splits; mode 1 also writes "Union.bat". Results:
    //   0 done                       1 a file operation failed (what was written stays)
    //   2 not set up, or no source   3 the output folder could not be created
    //   4 the output path is a file  5 not enough free space for the source's size
    //   6 platform too old           7 the source is not larger than one piece
    //   8 the piece size is 0
    int FileCat(int mode);

    // 0 when the folder's volume has at least the source's size free, 1 when
    // not or when either cannot be read.
    int CheckDiskSpace(CString source, CString folder);
    // 1 on Win32s and Windows 95 before build 1000, else 0.
    int CheckOSVersion();

    // What failed when the last FileCat returned 1 (cause none otherwise).
    const CFileException& GetLastFileError() const { return m_lastError; }

private:
    HWND* m_phNotify;
    int m_nSetUp;
    CString m_strBaseName;
    CString m_strExtension;
    CString m_strSource;
    CString m_strOutDir;
    DWORD m_dwPieceSize;
    CFileException m_lastError;
};
