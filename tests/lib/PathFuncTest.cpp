#include "lib/PathFunc.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct SplitRow {
    const char* arg;
    const char* dir;
    const char* fileName;
    const char* fileTitle;
    const char* directoryPath;
    const char* directoryDir;
    const char* parentName;
};

// The worked examples, then names whose characters carry 0x5C as their
// second byte (表 95 5C, ソ 83 5C, 能 94 5C) inside and at the end.
const SplitRow kSplitRows[] = {
    {"C:\\dir\\file.txt", "C:\\dir\\file.txt", "file.txt", "file", "C:\\dir\\", "C:\\dir", "dir"},
    {"C:\\dir\\sub\\", "C:\\dir\\sub", "sub", "sub", "C:\\dir\\", "C:\\dir", "dir"},
    {"C:\\dir\\archive.tar.gz", "C:\\dir\\archive.tar.gz", "archive.tar.gz", "archive.tar", "C:\\dir\\", "C:\\dir", "dir"},
    {"C:\\file.txt", "C:\\file.txt", "file.txt", "file", "C:\\", "C:", ""},
    {"C:\\", "C:", "C:", "C:", "C:", "C:", ""},
    {"file.txt", "file.txt", "file.txt", "file", "file.txt", "file.txt", ""},
    {"", "", "", "", "", "", ""},
    {"\\\\server\\share", "\\\\server\\share", "share", "share", "\\\\server\\", "\\\\server", "server"},
    {"\\\\server\\share\\file.txt", "\\\\server\\share\\file.txt", "file.txt", "file", "\\\\server\\share\\", "\\\\server\\share", "share"},
    {"C:\\dir.old\\readme", "C:\\dir.old\\readme", "readme", "readme", "C:\\dir.old\\", "C:\\dir.old", "dir.old"},
    {"C:\\dir\\.profile", "C:\\dir\\.profile", ".profile", "", "C:\\dir\\", "C:\\dir", "dir"},
    {"C:\\dir\\表a.txt", "C:\\dir\\表a.txt", "表a.txt", "表a", "C:\\dir\\", "C:\\dir", "dir"},
    {"C:\\dir\\\\", "C:\\dir\\", "", "", "C:\\dir\\", "C:\\dir", "dir"},
    {"C:\\表\\ソフト.doc", "C:\\表\\ソフト.doc", "ソフト.doc", "ソフト", "C:\\表\\", "C:\\表", "表"},
    {"C:\\能力\\表", "C:\\能力\\表", "表", "表", "C:\\能力\\", "C:\\能力", "能力"},
    {"C:\\データ\\ソ\\", "C:\\データ\\ソ", "ソ", "ソ", "C:\\データ\\", "C:\\データ", "データ"},
    {"D:\\表", "D:\\表", "表", "表", "D:\\", "D:", ""},
};

TEST(PathFuncTest, SplittingFunctions)
{
    for (const SplitRow& r : kSplitRows) {
        const std::string row = test::Utf8(r.arg);
        EXPECT_EQ(PathToDir(r.arg), r.dir) << row;
        EXPECT_EQ(PathToFileName(r.arg), r.fileName) << row;
        EXPECT_EQ(PathToFileTitle(r.arg), r.fileTitle) << row;
        EXPECT_EQ(PathToDirectoryPath(r.arg), r.directoryPath) << row;
        EXPECT_EQ(PathToDirectoryDir(r.arg), r.directoryDir) << row;
        EXPECT_EQ(GetParentDirectoryName(r.arg), r.parentName) << row;
    }
}

struct JoinRow {
    const char* arg;
    const char* dirToPath;
    const char* drive;
    const char* extension;
};

const JoinRow kJoinRows[] = {
    {"C:\\dir", "C:\\dir\\", "C", ""},
    {"C:\\dir\\", "C:\\dir\\", "C", ""},
    {"C:", "C:\\", "C", ""},
    {"C:\\dir\\archive.tar.gz", "C:\\dir\\archive.tar.gz\\", "C", ".gz"},
    {"C:\\dir.old\\readme", "C:\\dir.old\\readme\\", "C", ".old\\readme"},
    {"\\\\server\\share\\file.txt", "\\\\server\\share\\file.txt\\", "", ".txt"},
    {"file.txt", "file.txt\\", "", ".txt"},
    {"", "", "", ""},
    {"dir\\file", "dir\\file\\", "", ""},
    // A final 表 or ソ is a name, not a separator: a backslash is added.
    {"C:\\表", "C:\\表\\", "C", ""},
    {"C:\\ソ", "C:\\ソ\\", "C", ""},
    {"表:\\x", "表:\\x\\", "表", ""},
};

TEST(PathFuncTest, JoiningDriveAndExtension)
{
    for (const JoinRow& r : kJoinRows) {
        const std::string row = test::Utf8(r.arg);
        EXPECT_EQ(DirToPath(r.arg), r.dirToPath) << row;
        EXPECT_EQ(PathToDriveName(r.arg), r.drive) << row;
        char buf[MAX_PATH] = "junk";
        PathToFileExtention(r.arg, buf);
        EXPECT_STREQ(buf, r.extension) << row;
    }
}

TEST(PathFuncTest, SizedExtensionNeverWritesPastItsBuffer)
{
    char buf[6];
    memset(buf, 'X', sizeof buf);
    PathToFileExtentionN("a.longext", buf, 4);
    EXPECT_STREQ(buf, ".lo");
    EXPECT_EQ(buf[4], 'X');
}

const std::pair<const char*, const char*> kSkipRows[] = {
    {"C:\\dir\\file.txt", "C:\\dir\\file~1.txt"},
    {"C:\\dir\\file~1.txt", "C:\\dir\\file~2.txt"},
    {"C:\\dir\\file~9.txt", "C:\\dir\\file~10.txt"},
    {"C:\\dir\\file~1x.txt", "C:\\dir\\file~2.txt"},
    {"C:\\dir\\file~x.txt", "C:\\dir\\file~1.txt"},
    {"C:\\dir\\a~b~3", "C:\\dir\\a~b~4"},
    {"C:\\dir\\archive.tar.gz", "C:\\dir\\archive.tar~1.gz"},
    {"C:\\dir\\sub\\", "C:\\dir\\sub~1"},
    {"C:\\dir\\.profile", "C:\\dir\\~1.profile"},
    {"file.txt", "file~1.txt"},
    {"", ""},
    {"C:\\dir\\file.t~1", "C:\\dir\\file~1.t~1"},
    {"C:\\dir\\file~ 7.txt", "C:\\dir\\file~8.txt"},
    {"C:\\dir\\表.txt", "C:\\dir\\表~1.txt"},
    {"C:\\ソ\\表", "C:\\ソ\\表~1"},
};

TEST(PathFuncTest, SkipPathNumCountsOn)
{
    for (const auto& r : kSkipRows) EXPECT_EQ(SkipPathNum(r.first), r.second) << test::Utf8(r.first);
    CString name("file.txt");
    for (const char* expected : {"file~1.txt", "file~2.txt", "file~3.txt"}) {
        name = SkipPathNum(name);
        EXPECT_EQ(name, expected);
    }
}

TEST(PathFuncTest, SkipPathNumFormsLongResultsWhole)
{
    const std::string longName = "C:\\" + std::string(600, 'n') + ".txt";
    const CString result = SkipPathNum(longName.c_str());
    EXPECT_EQ(result.str(), "C:\\" + std::string(600, 'n') + "~1.txt");
}

TEST(PathFuncTest, NullPointersAreEmptyStrings)
{
    EXPECT_EQ(PathToDir(nullptr), "");
    EXPECT_EQ(DirToPath(nullptr), "");
    EXPECT_EQ(PathToFileName(nullptr), "");
    EXPECT_EQ(SkipPathNum(nullptr), "");
    char buf[4] = "x";
    PathToFileExtention(nullptr, buf);
    EXPECT_STREQ(buf, "");
}

TEST(PathFuncTest, CheckFileAnswersWhetherTheNameIsFree)
{
    test::TempDir dir;
    test::MakeDir(dir / "表");
    test::WriteBytes(dir / "ソ.txt", "x");
    EXPECT_FALSE(CheckFile(dir / "表"));
    EXPECT_FALSE(CheckFile(dir / "表\\"));
    EXPECT_FALSE(CheckFile(dir / "ソ.txt"));
    EXPECT_FALSE(CheckFile(dir / "*.txt"));  // a search: wildcards match
    EXPECT_TRUE(CheckFile(dir / "missing"));
    EXPECT_TRUE(CheckFile(""));
}

TEST(PathFuncTest, FileInDirectorySeesAnyEntry)
{
    test::TempDir dir;
    test::MakeDir(dir / "empty");
    test::MakeDir(dir / "holder");
    test::MakeDir(dir / "holder\\inner");
    test::MakeDir(dir / "hidden");
    test::WriteBytes(dir / "hidden\\h.txt", "");
    SetFileAttributesA(dir / "hidden\\h.txt", FILE_ATTRIBUTE_HIDDEN);
    test::WriteBytes(dir / "file.txt", "x");
    EXPECT_FALSE(FileInDirectory(dir / "empty"));
    EXPECT_TRUE(FileInDirectory(dir / "holder"));
    EXPECT_TRUE(FileInDirectory(dir / "holder\\"));
    EXPECT_TRUE(FileInDirectory(dir / "hidden"));
    EXPECT_FALSE(FileInDirectory(dir / "missing"));
    EXPECT_FALSE(FileInDirectory(dir / "file.txt"));
}

TEST(PathFuncTest, GetLastErrorStringGivesTheSystemText)
{
    SetLastError(ERROR_FILE_NOT_FOUND);
    const CString text = GetLastErrorString();
    EXPECT_FALSE(text.IsEmpty());
    EXPECT_EQ(text.Right(2), "\r\n");
    SetLastError(0x3FFFFFF0);  // no text for this code
    EXPECT_EQ(GetLastErrorString(), "");
}

} // namespace
