#include "lib/DirFunc.h"

#include "framework/Handles.h"
#include "tests/fileops/Tree.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kUntouched[] = "untouched";

// "@" at the start stands for the test's root folder; '/' for '\'. A null
// expected text means the buffer must be left as it was.
std::string Expand(const CString& root, const char* text)
{
    CString s(text);
    s.Replace("/", "\\");
    if (s.GetLength() > 0 && s[0] == '@') s = root + s.Mid(1);
    return s.c_str();
}

struct Outcome {
    bool failed;
    std::string text;
};

// Runs op with a buffer that shows what was written and checks that nothing
// lands beyond the terminator.
template <class Op>
Outcome WithBuffer(Op op)
{
    char buf[2048];
    std::memset(buf, 'X', sizeof buf);
    std::memcpy(buf, kUntouched, sizeof kUntouched);
    const bool failed = op(buf);
    const size_t len = std::strlen(buf);
    for (size_t i = len + 1; i < sizeof buf; ++i)
        if (buf[i] != 'X' && i >= sizeof kUntouched) {
            ADD_FAILURE() << "byte " << i << " written beyond the text";
            break;
        }
    return {failed, std::string(buf, len)};
}

void ExpectText(const CString& root, const char* expected, const std::string& got)
{
    if (!expected)
        EXPECT_EQ(got, kUntouched);
    else
        EXPECT_EQ(test::Utf8(got), test::Utf8(Expand(root, expected)));
}

struct OneFolderCase {
    const char* name;
    std::vector<std::string> before;
    const char* folder;
    bool failed;
    const char* text;
    std::vector<std::string> after;
};

TEST(DirFuncTest, DeleteDirectory)
{
    const OneFolderCase cases[] = {
        {"empty folder", {"d/"}, "d", false, nullptr, {}},
        {"tree with Japanese names", {"d/表.txt=1", "d/ソ/能.bin=2", "d/ソ/空/", "d/ポ ト/.hidden=3"}, "d", false, nullptr, {}},
        {"sibling with the same prefix stays", {"d/a=1", "d2/b=2"}, "d", false, nullptr, {"d2/", "d2/b=2"}},
        {"missing folder", {}, "無い", true, "@/無い", {}},
        {"read-only file deep down", {"!d/表/ソ/ro.txt=x"}, "d", true, "@/d/表/ソ/ro.txt",
         {"d/", "d/表/", "d/表/ソ/", "d/表/ソ/ro.txt=x"}},
        {"read-only file on top", {"!d/ro=1"}, "d", true, "@/d/ro", {"d/", "d/ro=1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        tree::Make(dir.Path(), c.before);
        const CString folder = tree::At(dir.Path(), c.folder);
        const Outcome out = WithBuffer([&](char* buf) { return DeleteDirectory(folder, buf); });
        EXPECT_EQ(out.failed, c.failed);
        ExpectText(dir.Path(), c.text, out.text);
        EXPECT_EQ(tree::List(dir.Path()), tree::Lines(c.after));
    }
}

TEST(DirFuncTest, ClearDirectory)
{
    const OneFolderCase cases[] = {
        {"missing folder", {}, "無い", false, nullptr, {}},
        {"empty folder", {"d/"}, "d", false, nullptr, {"d/"}},
        {"tree with Japanese names", {"d/表.txt=1", "d/ソ/能/x=2", "d/空/"}, "d", false, nullptr, {"d/"}},
        {"read-only file in a subfolder", {"!d/表/ro=1"}, "d", true, "@/d/表/ro", {"d/", "d/表/", "d/表/ro=1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        tree::Make(dir.Path(), c.before);
        const CString folder = tree::At(dir.Path(), c.folder);
        const Outcome out = WithBuffer([&](char* buf) { return ClearDirectory(folder, buf); });
        EXPECT_EQ(out.failed, c.failed);
        ExpectText(dir.Path(), c.text, out.text);
        EXPECT_EQ(tree::List(dir.Path()), tree::Lines(c.after));
    }
}

struct TwoFolderCase {
    const char* name;
    std::vector<std::string> before;
    const char* source;
    const char* dest;
    bool failed;
    const char* text;
    std::vector<std::string> after;
};

TEST(DirFuncTest, MoveFiles)
{
    const TwoFolderCase cases[] = {
        {"source without entries", {"s/"}, "s", "d", false, "", {"s/"}},
        {"source holding only the destination", {"s/d/"}, "s", "s/d", false, "", {"s/", "s/d/"}},
        {"destination inside the source", {"s/a.txt=1", "s/表/ソ.txt=2", "s/d/"}, "s", "s/d", false, "",
         {"s/", "s/d/", "s/d/a.txt=1", "s/d/表/", "s/d/表/ソ.txt=2"}},
        {"destination created", {"s/x/表.txt=1", "s/y.txt=2"}, "s", "新", false, "",
         {"s/", "新/", "新/x/", "新/x/表.txt=1", "新/y.txt=2"}},
        {"final separators", {"s/x/表.txt=1", "s/y.txt=2"}, "s/", "新/", false, "",
         {"s/", "新/", "新/x/", "新/x/表.txt=1", "新/y.txt=2"}},
        {"read-only file moves", {"!s/ro=1"}, "s", "d", false, "", {"s/", "d/", "d/ro=1"}},
        {"destination parent missing", {"s/a=1"}, "s", "無い/d", true, "@/無い/dの作成に失敗しました", {"s/", "s/a=1"}},
        {"name taken in the destination", {"s/a=1", "d/a=2"}, "s", "d", true, "@/s/a", {"s/", "s/a=1", "d/", "d/a=2"}},
        {"missing source", {}, "無い", "d", false, "", {}},
        {"names ending in a trail byte 0x5C", {"s表/a=1"}, "s表", "新ソ", false, "", {"s表/", "新ソ/", "新ソ/a=1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        tree::Make(dir.Path(), c.before);
        const CString source = tree::At(dir.Path(), c.source), dest = tree::At(dir.Path(), c.dest);
        const Outcome out = WithBuffer([&](char* buf) { return MoveFiles(source, dest, buf); });
        EXPECT_EQ(out.failed, c.failed);
        ExpectText(dir.Path(), c.text, out.text);
        EXPECT_EQ(tree::List(dir.Path()), tree::Lines(c.after));
    }
}

struct CopyCase {
    const char* name;
    std::vector<std::string> before;
    const char* dest;
    const char* source;
    bool rename;
    const char* locked;  // a file held open without sharing during the copy
    bool failed;
    const char* text;
    std::vector<std::string> added;  // after = before + added
};

TEST(DirFuncTest, CopyDirectory)
{
    const std::vector<std::string> tree1 = {"s/a=1", "s/表/ソ=2", "s/空/", "!s/ro=3", "d/"};
    const std::vector<std::string> copy1 = {"d/s/", "d/s/a=1", "d/s/表/", "d/s/表/ソ=2", "d/s/空/", "d/s/ro=3"};
    const CopyCase cases[] = {
        {"fresh copy", tree1, "d", "s", false, nullptr, false, "", copy1},
        {"destination with a final separator", tree1, "d/", "s", false, nullptr, false, "", copy1},
        {"Japanese source into a new destination", {"表ソ/能=1"}, "新", "表ソ", false, nullptr, false, "",
         {"新/", "新/表ソ/", "新/表ソ/能=1"}},
        {"second run without rename", {"s/a=1", "d/s/"}, "d", "s", false, nullptr, true, "@/dの作成に失敗しました", {}},
        {"second run with rename", {"s/a=1", "d/s/"}, "d", "s", true, nullptr, false, "", {"d/s~1/", "d/s~1/a=1"}},
        {"missing source", {"d/"}, "d", "無い", false, nullptr, false, "", {"d/無い/"}},
        {"destination cannot be made", {"s/a=1"}, "無い/d", "s", false, nullptr, true,
         "@/無い/dはディレクトリでないか存在しません", {}},
        {"destination is a file", {"s/a=1", "f=x"}, "f", "s", false, nullptr, true, "@/fの作成に失敗しました", {}},
        {"file that cannot be read", {"s/表/lock=1", "d/"}, "d", "s", false, "s/表/lock", true, "@/s/表/",
         {"d/s/", "d/s/表/"}},
        {"destination inside the source", {"s/a=1", "s/sub/"}, "s/sub", "s", true, nullptr, true,
         "@/s/subはコピー元フォルダの中にあります", {}},
        {"destination inside the source, not there yet", {"s/a=1"}, "s/新", "s", false, nullptr, true,
         "@/s/新はコピー元フォルダの中にあります", {}},
        {"destination is the source", {"s/a=1"}, "s", "s", true, nullptr, true, "@/sはコピー元フォルダの中にあります", {}},
        {"destination inside the source, other case", {"src/a=1", "src/sub/"}, "SRC/sub", "src", false, nullptr, true,
         "@/SRC/subはコピー元フォルダの中にあります", {}},
        {"names ending in a trail byte 0x5C", {"表/a=1"}, "新ソ", "表", false, nullptr, false, "",
         {"新ソ/", "新ソ/表/", "新ソ/表/a=1"}},
        {"sibling sharing the source's prefix", {"s/a=1", "s2/"}, "s2", "s", false, nullptr, false, "",
         {"s2/s/", "s2/s/a=1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        tree::Make(dir.Path(), c.before);
        CHandle lock;
        if (c.locked)
            lock.Reset(CreateFileA(tree::At(dir.Path(), c.locked), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        const CString source = tree::At(dir.Path(), c.source), dest = tree::At(dir.Path(), c.dest);
        const Outcome out = WithBuffer([&](char* buf) { return CopyDirectory(dest, source, buf, c.rename); });
        lock.Reset();
        EXPECT_EQ(out.failed, c.failed);
        ExpectText(dir.Path(), c.text, out.text);
        std::vector<std::string> after = c.before;
        after.insert(after.end(), c.added.begin(), c.added.end());
        for (auto& e : after)
            if (!e.empty() && e[0] == '!') e.erase(0, 1);
        // Folders on the way to the entries listed are there too.
        std::vector<std::string> withFolders;
        for (const auto& e : after) {
            const std::string rel = e.substr(0, e.find('='));
            for (size_t slash = rel.find('/'); slash != std::string::npos; slash = rel.find('/', slash + 1))
                withFolders.push_back(rel.substr(0, slash + 1));
            if (rel.back() != '/') withFolders.push_back(e);
        }
        std::sort(withFolders.begin(), withFolders.end());
        withFolders.erase(std::unique(withFolders.begin(), withFolders.end()), withFolders.end());
        EXPECT_EQ(tree::List(dir.Path()), tree::Lines(withFolders));
    }
}

// Texts are cut on whole characters to the size given; nothing is written
// beyond it.
TEST(DirFuncTest, SizedBuffersNeverOverflow)
{
    test::TempDir dir;
    const CString missing = dir / "表表表";  // its path is the failure text
    const std::string full = missing.c_str();
    const size_t sizes[] = {0, 1, 2, full.size() - 4, full.size() - 3, full.size(), full.size() + 1, 2000};
    for (size_t size : sizes) {
        SCOPED_TRACE(size);
        char buf[2100];
        std::memset(buf, 'X', sizeof buf);
        EXPECT_TRUE(DeleteDirectoryN(missing, buf, size));
        for (size_t i = size; i < sizeof buf; ++i) ASSERT_EQ(buf[i], 'X') << "written at " << i;
        if (size == 0) continue;
        size_t expect = std::min(full.size(), size - 1);
        // The cut falls before 表 (two bytes) rather than inside it.
        if (expect < full.size() && expect >= full.size() - 6) expect = full.size() - 6 + ((expect - (full.size() - 6)) / 2) * 2;
        EXPECT_EQ(std::string(buf), full.substr(0, expect));
    }
    char small[8];
    std::memset(small, 'X', sizeof small);
    EXPECT_TRUE(CopyDirectoryN(dir / "無い\\d", dir / "s", small, 4, false));
    EXPECT_EQ(std::string(small, 4), std::string(dir.Path().c_str(), 3) + '\0');
    EXPECT_EQ(small[4], 'X');
    small[0] = 'X';
    EXPECT_FALSE(MoveFilesN(dir / "s", dir / "d", small, 0));
    EXPECT_EQ(small[0], 'X');
    EXPECT_FALSE(ClearDirectoryN(dir / "無い", nullptr, 100));
    EXPECT_TRUE(DeleteDirectory(dir / "無い", nullptr));
}

// The unsized forms stop at 1024 bytes, however long the text would be.
TEST(DirFuncTest, UnsizedBufferHasAFixedLimit)
{
    test::TempDir dir;
    const CString longPath = dir.Path() + "\\" + CString('a', 1500);
    std::vector<char> buf(4096, 'X');
    EXPECT_TRUE(DeleteDirectory(longPath, buf.data()));
    EXPECT_EQ(std::string(buf.data()), std::string(longPath.c_str(), 1023));
    for (size_t i = 1024; i < buf.size(); ++i) ASSERT_EQ(buf[i], 'X') << "written at " << i;
}

// Runs a host program (Wine starts those too) and waits for it.
void RunHost(std::string cmd)
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

// A link to a folder is not walked: deleting the tree must not empty the
// folder it points at. Wine shows host symbolic links as such links.
TEST(DirFuncTest, DeleteDirectoryLeavesLinkedFoldersAlone)
{
    using UnixName = char*(__cdecl*)(const WCHAR*);
    auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName) GTEST_SKIP() << "not under Wine";
    test::TempDir dir;
    tree::Make(dir.Path(), {"target/keep.txt=1", "tree/a=2"});
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, dir.Path(), -1, wide, MAX_PATH);
    char* unixRoot = unixName(wide);
    ASSERT_TRUE(unixRoot);
    const std::string root = unixRoot;
    HeapFree(GetProcessHeap(), 0, unixRoot);
    RunHost("Z:\\bin\\ln -s " + root + "/target " + root + "/tree/link");
    // Wine does not wait for host programs: look until the link shows.
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    for (int i = 0; i < 100 && attributes == INVALID_FILE_ATTRIBUTES; ++i) {
        attributes = GetFileAttributesA(dir / "tree\\link");
        if (attributes == INVALID_FILE_ATTRIBUTES) Sleep(50);
    }
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        GTEST_SKIP() << "no folder link could be made";

    char buf[1024] = "";
    const bool failed = DeleteDirectory(dir / "tree", buf);
    EXPECT_EQ(test::ReadBytes(dir / "target\\keep.txt"), "1");
    // Wine cannot remove the link itself; Windows can.
    if (failed)
        EXPECT_EQ(std::string(buf), (dir / "tree\\link").c_str());
    else
        EXPECT_FALSE(test::Exists(dir / "tree"));
    RunHost("Z:\\bin\\rm -f " + root + "/tree/link");
    for (int i = 0; i < 100 && test::Exists(dir / "tree\\link"); ++i) Sleep(50);
}

} // namespace
