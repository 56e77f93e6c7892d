#include "lib/FileCat.h"

#include "framework/CFile.h"
#include "framework/MessageBox.h"
#include "framework/Mbcs.h"
#include "lib/PathFunc.h"

#include <vector>

namespace {

const char kSetUpMessage[] =
    "プログラムミスです、デフォルトコンストラクタからオブジェクトを作成した場合、"
    "SetCatInfo関数を実行してからこの関数を実行してください";

// Pieces are copied through one buffer of this size; callers only see the
// piece sizes, which do not depend on it. 64 KiB is what the system's own
// file copy uses; larger blocks measured slower (the buffer leaves the cache).
const UINT kBlock = 64 * 1024;

bool EndsWithSeparator(const CString& s) { return mbcs::EndsWithChar(s, s.GetLength(), '\\'); }

int Digits(ULONGLONG n)
{
    int d = 1;
    while (n >= 10) {
        n /= 10;
        ++d;
    }
    return d;
}

// cmd expands %...% even inside quotes in a batch file; %% is one percent
// sign. ^ & ! ( ) and blanks are taken literally inside quotes.
CString BatchOperand(const CString& name)
{
    CString escaped(name);
    escaped.Replace("%", "%%");
    return '"' + escaped + '"';
}

void OpenOrThrow(CFile& file, const char* path, UINT flags)
{
    CFileException error;
    if (!file.Open(path, flags, &error)) throw error;
}

} // namespace

CFileCat::CFileCat() : m_phNotify(nullptr), m_nSetUp(0), m_dwPieceSize(0) {}

CFileCat::CFileCat(HWND* notify, CString source, CString outDir, CString baseName, CString extension, DWORD pieceSize)
    : CFileCat()
{
    SetCatInfo(notify, source, outDir, baseName, extension, pieceSize);
}

void CFileCat::SetCatInfo(HWND* notify, CString source, CString outDir, CString baseName, CString extension, DWORD pieceSize)
{
    m_phNotify = notify;
    m_strSource = source;
    m_strOutDir = EndsWithSeparator(outDir) ? outDir.Left(outDir.GetLength() - 1) : outDir;
    m_strBaseName = baseName;
    m_strExtension = (extension.GetLength() > 0 && extension[0] == '.') ? extension : '.' + extension;
    m_dwPieceSize = pieceSize;
    m_nSetUp = 1;
}

int CFileCat::FileCat(int mode)
{
    m_lastError = CFileException();
    if (!m_nSetUp) {
        FwMessageBox(GetActiveWindow(), kSetUpMessage, ModuleTitle(), MB_OK | MB_ICONEXCLAMATION);
        return 2;
    }
    if (m_dwPieceSize == 0) return 8;
    if (CheckOSVersion()) return 6;
    CFileStatus status;
    if (!CFile::GetStatus(m_strSource, status)) return 2;
    const ULONGLONG sourceSize = status.m_size;
    if (sourceSize <= m_dwPieceSize) return 7;

    // The notify window may point this object elsewhere while we run.
    HWND* const notify = m_phNotify;
    const CString source = m_strSource, baseName = m_strBaseName, extension = m_strExtension;
    CString outDir = m_strOutDir;
    const ULONGLONG pieceSize = m_dwPieceSize;

    // Not a directory search: that finds nothing at a drive root (stored as
    // "E:"), which would then count as missing.
    const DWORD attributes = GetFileAttributesA(outDir);
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return 4;
    } else if (!CreateDirectoryA(outDir, nullptr)) {
        return 3;
    }

    const ULONGLONG count = sourceSize / pieceSize + (sourceSize % pieceSize ? 1 : 0);
    if (CheckDiskSpace(source, outDir)) return 5;

    const int width = count < 1000 ? 3 : Digits(count);
    if (!EndsWithSeparator(outDir)) outDir += '\\';
    auto pieceName = [&](ULONGLONG k) {
        CString name;
        name.Format("%s%0*llu%s", baseName.c_str(), width, static_cast<unsigned long long>(k), extension.c_str());
        return name;
    };

    try {
        CFile in;
        OpenOrThrow(in, source, CFile::modeRead | CFile::shareExclusive | CFile::typeBinary);
        const CString target = PathToFileName(source);
        std::vector<char> buffer(kBlock);
        for (ULONGLONG k = 1; k <= count; ++k) {
            CFile piece;
            OpenOrThrow(piece, outDir + pieceName(k), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
            if (k < count) {
                ULONGLONG left = pieceSize;
                while (left > 0) {
                    const UINT want = left < kBlock ? static_cast<UINT>(left) : kBlock;
                    const UINT got = in.Read(buffer.data(), want);
                    piece.Write(buffer.data(), got);
                    if (got < want) break;
                    left -= got;
                }
            } else {
                // The last piece takes whatever remains.
                for (;;) {
                    const UINT got = in.Read(buffer.data(), kBlock);
                    piece.Write(buffer.data(), got);
                    if (got < kBlock) break;
                }
            }
            piece.Close();
            const HWND window = notify ? *notify : nullptr;
            if (window) SendMessageA(window, WM_FILECAT_PIECE, 0, 0);
        }
        in.Close();

        if (mode == 1) {
            CFile batch;
            OpenOrThrow(batch, outDir + "Union.bat", CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
            const CString joined = BatchOperand(target);
            CString text = "@ECHO OFF\r\n@ECHO 結合中です...\r\n";
            for (ULONGLONG k = 1; k <= count; ++k) {
                text += "copy /b ";
                if (k > 1) text += joined + '+';
                text += BatchOperand(pieceName(k)) + ' ' + joined + "\r\n";
                if (text.GetLength() >= 65536) {
                    batch.Write(text.c_str(), static_cast<UINT>(text.GetLength()));
                    text.Empty();
                }
            }
            text += "ECHO 完了";
            batch.Write(text.c_str(), static_cast<UINT>(text.GetLength()));
            batch.Close();
        }
    } catch (const CFileException& error) {
        m_lastError = error;
        return 1;
    }
    return 0;
}

int CFileCat::CheckDiskSpace(CString source, CString folder)
{
    ULARGE_INTEGER available;
    if (!GetDiskFreeSpaceExA(DirToPath(folder), &available, nullptr, nullptr)) return 1;
    CFileStatus status;
    if (!CFile::GetStatus(source, status)) return 1;
    return available.QuadPart >= status.m_size ? 0 : 1;
}

int CFileCat::CheckOSVersion()
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) return 0;
    if (info.dwPlatformId == VER_PLATFORM_WIN32s) return 1;
    if (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && info.dwBuildNumber < 1000) return 1;
    return 0;
}
