#include "lib/FileCat.h"
#include "lib/PathFunc.h"

#include "framework/Handles.h"
#include "tests/fileops/Tree.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Bytes that differ from piece to piece and hold 0x1A (which stops a text copy).
std::string Bytes(size_t n)
{
    std::string s(n, '\0');
    unsigned x = 12345;
    for (size_t i = 0; i < n; ++i) {
        x = x * 1103515245u + 12345u;
        s[i] = static_cast<char>(x >> 16);
    }
    if (n > 10) s[10] = 0x1A;
    return s;
}

// A message-only window that counts the splitter's notifications.
class Counter {
public:
    Counter()
    {
        static const ATOM atom = [] {
            WNDCLASSA wc{};
            wc.lpfnWndProc = Proc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "FileCatCounter";
            return RegisterClassA(&wc);
        }();
        (void)atom;
        m_hWnd = CreateWindowExA(0, "FileCatCounter", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Counter() { DestroyWindow(m_hWnd); }
    HWND m_hWnd;
    int m_count = 0;
    std::function<void()> m_onPiece;

private:
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM w, LPARAM l)
    {
        if (msg == 0x83A1) {
            auto* self = reinterpret_cast<Counter*>(GetWindowLongPtrA(h, GWLP_USERDATA));
            EXPECT_EQ(w, 0u);
            EXPECT_EQ(l, 0);
            ++self->m_count;
            if (self->m_onPiece) self->m_onPiece();
            return 0;
        }
        return DefWindowProcA(h, msg, w, l);
    }
};

CString PieceName(const char* base, int width, unsigned long long k, const char* ext)
{
    CString s;
    s.Format("%s%0*llu%s", base, width, k, ext);
    return s;
}

int CountEntries(const CString& dir)
{
    int n = 0;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(dir + "\\*", &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do {
        if (strcmp(fd.cFileName, ".") && strcmp(fd.cFileName, "..")) ++n;
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return n;
}

struct SplitCase {
    const char* name;
    size_t size;
    DWORD piece;
    const char* base;
    const char* ext;
    const char* out;  // relative to the test folder; missing folders are made
    int width;
    const char* storedExt;
};

TEST(FileCatTest, SplitsIntoPiecesOfTheGivenSize)
{
    const SplitCase cases[] = {
        {"one byte more than a piece", 1001, 1000, "movie", "cat", "out", 3, ".cat"},
        {"just below a multiple", 2999, 1000, "movie", "cat", "out", 3, ".cat"},
        {"a multiple", 3000, 1000, "movie", "cat", "out", 3, ".cat"},
        {"just above a multiple", 3001, 1000, "movie", "cat", "out", 3, ".cat"},
        {"the two and a half piece example", 2500000, 1000000, "movie", "cat", "out", 3, ".cat"},
        {"pieces beyond the copy block, a multiple", 3 * 1048577, 1048577, "m", "c", "out", 3, ".c"},
        {"pieces beyond the copy block, one more", 3 * 1048577 + 1, 1048577, "m", "c", "out", 3, ".c"},
        {"extension with its dot", 2001, 1000, "movie", ".cat", "out", 3, ".cat"},
        {"empty extension", 2001, 1000, "movie", "", "out", 3, "."},
        {"Japanese names, new folder given with a final separator", 2001, 1000, "表ソ", "能", "出力\\", 3, ".能"},
        {"output folder ending in a trail byte 0x5C", 2001, 1000, "p", "x", "出力表", 3, ".x"},
        {"999 pieces", 999, 1, "p", "x", "out", 3, ".x"},
        {"1000 pieces", 1000, 1, "p", "x", "out", 4, ".x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        const std::string data = Bytes(c.size);
        test::WriteBytes(dir / "動画.avi", data);
        Counter counter;
        CFileCat cat(&counter.m_hWnd, dir / "動画.avi", dir / c.out, c.base, c.ext, c.piece);
        ASSERT_EQ(cat.FileCat(1), 0);

        const size_t count = (c.size + c.piece - 1) / c.piece;
        EXPECT_EQ(counter.m_count, static_cast<int>(count));
        const CString out = PathToDir(dir / c.out);
        EXPECT_EQ(CountEntries(out), static_cast<int>(count) + 1);
        EXPECT_TRUE(test::Exists(out + "\\Union.bat"));
        for (size_t k = 1; k <= count; ++k) {
            const CString piece = out + "\\" + PieceName(c.base, c.width, k, c.storedExt);
            const std::string expected = data.substr((k - 1) * c.piece, c.piece);
            const std::string got = test::ReadBytes(piece);
            ASSERT_EQ(got.size(), expected.size()) << "piece " << k << " " << test::Utf8(piece.c_str());
            ASSERT_TRUE(got == expected) << "piece " << k;
        }
    }
}

TEST(FileCatTest, BatchFileJoinsThePiecesLineByLine)
{
    struct Case {
        const char* name;
        const char* source;
        size_t size;
        DWORD piece;
        const char* base;
        const char* ext;
        const char* expected;
    } cases[] = {
        {"three pieces", "movie.avi", 2500000, 1000000, "movie", "cat",
         "@ECHO OFF\r\n@ECHO 結合中です...\r\n"
         "copy /b \"movie001.cat\" \"movie.avi\"\r\n"
         "copy /b \"movie.avi\"+\"movie002.cat\" \"movie.avi\"\r\n"
         "copy /b \"movie.avi\"+\"movie003.cat\" \"movie.avi\"\r\n"
         "ECHO 完了"},
        {"percent signs doubled", "50%off 表.bin", 2001, 1000, "p%1", "%x",
         "@ECHO OFF\r\n@ECHO 結合中です...\r\n"
         "copy /b \"p%%1001.%%x\" \"50%%off 表.bin\"\r\n"
         "copy /b \"50%%off 表.bin\"+\"p%%1002.%%x\" \"50%%off 表.bin\"\r\n"
         "copy /b \"50%%off 表.bin\"+\"p%%1003.%%x\" \"50%%off 表.bin\"\r\n"
         "ECHO 完了"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        test::WriteBytes(dir / c.source, Bytes(c.size));
        HWND none = nullptr;
        CFileCat cat(&none, dir / c.source, dir / "out", c.base, c.ext, c.piece);
        ASSERT_EQ(cat.FileCat(1), 0);
        EXPECT_EQ(test::Utf8(test::ReadBytes(dir / "out\\Union.bat")), test::Utf8(c.expected));
    }
}

// Runs the written batch file with the command interpreter in the output
// folder and compares the joined file with the source.
TEST(FileCatTest, UnionBatJoinsWithTheCommandInterpreter)
{
    const char* names[] = {"plain.bin", "50%off 表ソ&!^(%PATH%).bin"};
    for (const char* name : names) {
        SCOPED_TRACE(test::Utf8(name));
        test::TempDir dir;
        const std::string data = Bytes(4321);
        test::MakeDir(dir / "src");
        test::WriteBytes(dir / "src" + "\\" + name, data);
        HWND none = nullptr;
        CFileCat cat(&none, dir / "src" + "\\" + name, dir / "出力", "分割%1", "%~x", 1000);
        ASSERT_EQ(cat.FileCat(1), 0);

        char cmd[] = "cmd.exe /c Union.bat";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(CreateProcessA(nullptr, cmd, nullptr, nullptr, FALSE, 0, nullptr, dir / "出力", &si, &pi));
        EXPECT_EQ(WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        const std::string joined = test::ReadBytes(dir / "出力\\" + name);
        EXPECT_EQ(joined.size(), data.size());
        EXPECT_TRUE(joined == data);
    }
}

struct CodeCase {
    const char* name;
    std::vector<std::string> before;
    const char* source;
    const char* out;
    DWORD piece;
    const char* locked;  // held open without sharing during the split
    int code;
    std::vector<std::string> after;
    int notifications;
};

TEST(FileCatTest, ResultCodes)
{
    const CodeCase cases[] = {
        {"source as large as a piece", {"s.bin=0123456789"}, "s.bin", "out", 10, nullptr, 7, {"s.bin=0123456789"}, 0},
        {"source smaller than a piece", {"s.bin=0123456789"}, "s.bin", "out", 11, nullptr, 7, {"s.bin=0123456789"}, 0},
        {"missing source", {}, "無い.bin", "out", 3, nullptr, 2, {}, 0},
        {"piece size 0", {"s.bin=0123456789"}, "s.bin", "out", 0, nullptr, 8, {"s.bin=0123456789"}, 0},
        {"output folder's parent missing", {"s.bin=0123456789"}, "s.bin", "無い/out", 3, nullptr, 3,
         {"s.bin=0123456789"}, 0},
        {"output path is a file", {"s.bin=0123456789", "out=x"}, "s.bin", "out", 3, nullptr, 4,
         {"s.bin=0123456789", "out=x"}, 0},
        {"source held open elsewhere", {"s.bin=0123456789"}, "s.bin", "out", 3, "s.bin", 1,
         {"s.bin=0123456789", "out/"}, 0},
        {"a piece that cannot be made", {"s.bin=0123456789", "out/p002.x/"}, "s.bin", "out", 4, nullptr, 1,
         {"s.bin=0123456789", "out/", "out/p002.x/", "out/p001.x=0123"}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        tree::Make(dir.Path(), c.before);
        CHandle lock;
        if (c.locked)
            lock.Reset(CreateFileA(tree::At(dir.Path(), c.locked), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        Counter counter;
        CFileCat cat(&counter.m_hWnd, tree::At(dir.Path(), c.source), tree::At(dir.Path(), c.out), "p", "x", c.piece);
        EXPECT_EQ(cat.FileCat(1), c.code);
        lock.Reset();
        EXPECT_EQ(counter.m_count, c.notifications);
        EXPECT_EQ(tree::List(dir.Path()), tree::Lines(c.after));
        EXPECT_EQ(cat.GetLastFileError().m_cause == CFileException::none, c.code != 1);
        EXPECT_EQ(cat.GetLastFileError().m_strFileName.IsEmpty(), c.code != 1);
    }
}

TEST(FileCatTest, NotSetUpShowsTheMessageEveryTime)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "FileCatOwner";
    RegisterClassA(&wc);
    HWND owner = CreateWindowExA(0, "FileCatOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(owner);
    SetActiveWindow(owner);
    const HWND active = GetActiveWindow();

    CFileCat cat;
    EXPECT_EQ(cat.FileCat(1), 2);
    EXPECT_EQ(cat.FileCat(0), 2);
    ASSERT_EQ(test::MessageBoxes().size(), 2u);
    for (const auto& box : test::MessageBoxes()) {
        EXPECT_EQ(test::Utf8(box.text), test::Utf8("プログラムミスです、デフォルトコンストラクタからオブジェクトを作成した場合、"
                                                   "SetCatInfo関数を実行してからこの関数を実行してください"));
        EXPECT_EQ(box.caption, "Hobrin");
        EXPECT_EQ(box.type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_EQ(box.owner, active);
    }
    EXPECT_EQ(active, owner);
    DestroyWindow(owner);

    // Once set up, the same object splits.
    test::TempDir dir;
    test::WriteBytes(dir / "s.bin", "0123456789");
    cat.SetCatInfo(nullptr, dir / "s.bin", dir.Path(), "p", "x", 5);
    EXPECT_EQ(cat.FileCat(0), 0);
    EXPECT_EQ(test::ReadBytes(dir / "p002.x"), "56789");
    EXPECT_EQ(test::MessageBoxes().size(), 2u);
}

TEST(FileCatTest, ModeOtherThanOneLeavesTheBatchFileAlone)
{
    test::TempDir dir;
    tree::Make(dir.Path(), {"s.bin=0123456789", "out/Union.bat=keep"});
    HWND none = nullptr;
    CFileCat cat(&none, dir / "s.bin", dir / "out", "p", "x", 4);
    EXPECT_EQ(cat.FileCat(2), 0);
    EXPECT_EQ(tree::List(dir.Path()),
              tree::Lines({"s.bin=0123456789", "out/", "out/Union.bat=keep", "out/p001.x=0123", "out/p002.x=4567", "out/p003.x=89"}));
}

// The split runs on what was set up when it started, even when the window
// told about a piece points the object elsewhere.
TEST(FileCatTest, NotifiedWindowMayRepointTheObject)
{
    test::TempDir dir;
    tree::Make(dir.Path(), {"s.bin=0123456789", "t.bin=abcdefghij"});
    Counter counter;
    CFileCat cat(&counter.m_hWnd, dir / "s.bin", dir / "out", "p", "x", 4);
    counter.m_onPiece = [&] {
        if (counter.m_count == 1) cat.SetCatInfo(&counter.m_hWnd, dir / "t.bin", dir / "out2", "q", "y", 5);
    };
    EXPECT_EQ(cat.FileCat(0), 0);
    EXPECT_EQ(counter.m_count, 3);
    EXPECT_EQ(cat.FileCat(0), 0);
    EXPECT_EQ(counter.m_count, 5);
    EXPECT_EQ(tree::List(dir.Path()),
              tree::Lines({"s.bin=0123456789", "t.bin=abcdefghij", "out/", "out/p001.x=0123", "out/p002.x=4567",
                           "out/p003.x=89", "out2/", "out2/q001.y=abcde", "out2/q002.y=fghij"}));
}

// More than the volume's free space: refused before any piece, whatever the
// size's low 32 bits say. The file is sparse, so it takes no room itself.
TEST(FileCatTest, NotEnoughRoomGivesFive)
{
    test::TempDir dir;
    ULARGE_INTEGER available{};
    ASSERT_TRUE(GetDiskFreeSpaceExA(dir.Path() + "\\", &available, nullptr, nullptr));
    {
        CHandle big(CreateFileA(dir / "big.bin", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(big.Valid());
        LARGE_INTEGER size;
        size.QuadPart = static_cast<LONGLONG>((available.QuadPart | 0xFFFFFFFFull) + 0x100000001ull);
        ASSERT_TRUE(SetFilePointerEx(big.Get(), size, nullptr, FILE_BEGIN));
        if (!SetEndOfFile(big.Get())) GTEST_SKIP() << "no sparse file of that size here";
    }
    test::WriteBytes(dir / "small.bin", "0123456789");
    CFileCat cat;
    EXPECT_EQ(cat.CheckDiskSpace(dir / "big.bin", dir.Path()), 1);
    EXPECT_EQ(cat.CheckDiskSpace(dir / "small.bin", dir.Path()), 0);
    EXPECT_EQ(cat.CheckDiskSpace(dir / "無い.bin", dir.Path()), 1);
    EXPECT_EQ(cat.CheckOSVersion(), 0);

    Counter counter;
    cat.SetCatInfo(&counter.m_hWnd, dir / "big.bin", dir / "out", "p", "x", 0xFFFFFFFFu);
    EXPECT_EQ(cat.FileCat(1), 5);
    EXPECT_EQ(counter.m_count, 0);
    EXPECT_EQ(CountEntries(dir / "out"), 0);
}

// A drive root is a folder like any other, though a directory search finds
// nothing there.
TEST(FileCatTest, SplitsIntoADriveRoot)
{
    test::TempDir dir;
    test::WriteBytes(dir / "s.bin", "0123456789");
    CString base;
    base.Format("tarnel-root-%lu-", GetCurrentProcessId());
    HWND none = nullptr;
    CFileCat cat(&none, dir / "s.bin", "C:\\", base, "x", 6);
    EXPECT_EQ(cat.FileCat(0), 0);
    EXPECT_EQ(test::ReadBytes("C:\\" + base + "001.x"), "012345");
    EXPECT_EQ(test::ReadBytes("C:\\" + base + "002.x"), "6789");
    DeleteFileA("C:\\" + base + "001.x");
    DeleteFileA("C:\\" + base + "002.x");
}

TEST(FileCatTest, NoWindowToTell)
{
    test::TempDir dir;
    test::WriteBytes(dir / "s.bin", "0123456789");
    HWND none = nullptr;
    CFileCat withNullHandle(&none, dir / "s.bin", dir / "a", "p", "x", 6);
    EXPECT_EQ(withNullHandle.FileCat(1), 0);
    CFileCat withNullPointer(nullptr, dir / "s.bin", dir / "b", "p", "x", 6);
    EXPECT_EQ(withNullPointer.FileCat(1), 0);
    EXPECT_EQ(test::ReadBytes(dir / "a\\p002.x"), "6789");
    EXPECT_EQ(test::ReadBytes(dir / "b\\p002.x"), "6789");
}

} // namespace
