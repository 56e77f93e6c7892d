#include "framework/CFile.h"
#include "framework/CFileFind.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(FileFindTest, ListsEveryEntryIncludingTheLastWithFullPaths)
{
    test::TempDir dir;
    test::WriteBytes(dir / "ソフト.txt", "1");
    test::MakeDir(dir / "表");
    CFileFind find;
    std::set<std::string> names;
    BOOL more = find.FindFile(dir / "*.*");
    ASSERT_TRUE(more);
    while (more) {
        more = find.FindNextFile();
        if (find.IsDots()) continue;
        names.insert(find.GetFileName().c_str());
        EXPECT_EQ(find.GetFilePath(), dir / find.GetFileName());
        EXPECT_EQ(find.IsDirectory() != FALSE, find.GetFileName() == "表");
    }
    EXPECT_EQ(names, (std::set<std::string>{"ソフト.txt", "表"}));
}

TEST(FileFindTest, StatusOfFilesFoldersAndMissingNames)
{
    test::TempDir dir;
    test::WriteBytes(dir / "f.bin", "12345");
    CFileStatus st;
    ASSERT_TRUE(CFile::GetStatus(dir / "f.bin", st));
    EXPECT_EQ(st.m_size, 5u);
    EXPECT_FALSE(st.m_attribute & CFile::directory);
    ASSERT_TRUE(CFile::GetStatus(dir.Path(), st));
    EXPECT_TRUE(st.m_attribute & CFile::directory);
    EXPECT_FALSE(CFile::GetStatus(dir / "missing", st));
}

} // namespace
