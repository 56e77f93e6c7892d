#include "framework/MessageBox.h"
#include "pack/FileNameCheck.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

const char kDot[] = "\".\"から始まるファイル名は指定できません";
const char kForbidden[] = "ファイル名に使用できない文字が含まれています";

TEST(FileNameCheckTest, RejectsLeadingDotAndForbiddenCharactersOnly)
{
    const struct Row {
        const char* name;
        const char* text;  // nullptr: the name passes
    } rows[] = {
        {"report", nullptr},
        {"", nullptr},
        {"   ", nullptr},
        {"表", nullptr},            // 0x95 0x5C
        {"ソフト", nullptr},        // 0x83 0x7C
        {"能力表ソ", nullptr},      // 0x94 0x5C
        {"ｱｲｳ半角", nullptr},
        {"a.b.c", nullptr},
        {"name.", nullptr},
        {".hidden", kDot},
        {".a:b", kDot},  // the dot wins
        {".", kDot},
        {"a\\b", kForbidden},
        {"a/b", kForbidden},
        {"a:b", kForbidden},
        {"a*b", kForbidden},
        {"a?b", kForbidden},
        {"a\"b", kForbidden},
        {"a<b", kForbidden},
        {"a>b", kForbidden},
        {"a|b", kForbidden},
        {"表\\", kForbidden},  // a real backslash after 表
        {"ソ|", kForbidden},
    };
    for (const Row& row : rows) {
        const FileNameRejection r = CheckTypedFileName(row.name);
        SCOPED_TRACE(test::Utf8(row.name));
        if (!row.text) {
            EXPECT_FALSE(r);
            continue;
        }
        ASSERT_TRUE(r);
        EXPECT_STREQ(r.text, row.text);
        if (row.text == kDot)
            EXPECT_EQ(r.caption, nullptr);
        else
            EXPECT_STREQ(r.caption, "\\/:*?\"<>|");
    }
}

// A dialog-like parent with the name field, as the dialogs have it.
class NameField {
public:
    NameField()
    {
        m_parent = CreateWindowExA(0, "STATIC", "Tarnel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                   nullptr, nullptr, nullptr);
        m_edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 100, 20, m_parent,
                                 reinterpret_cast<HMENU>(1002), nullptr, nullptr);
        m_other = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 30, 100, 20, m_parent, nullptr, nullptr,
                                  nullptr);
    }
    ~NameField() { DestroyWindow(m_parent); }
    HWND Parent() const { return m_parent; }
    HWND Edit() const { return m_edit; }
    HWND Other() const { return m_other; }
    CString Text() const
    {
        char buf[300] = {};
        GetWindowTextA(m_edit, buf, sizeof buf);
        return buf;
    }

private:
    HWND m_parent, m_edit, m_other;
};

TEST(FileNameCheckTest, ValidateFileNameEmptiesAndRefocusesARejectedField)
{
    NameField field;
    ASSERT_NE(field.Edit(), nullptr);
    const struct Row {
        const char* typed;
        const char* text;
        const char* caption;
    } rows[] = {
        {"a:b", kForbidden, "\\/:*?\"<>|"},
        {".zip", kDot, ModuleTitle()},
        {"表ソ能", nullptr, nullptr},
        {"", nullptr, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(test::Utf8(row.typed));
        test::MessageBoxes().clear();
        SetWindowTextA(field.Edit(), row.typed);
        SetFocus(field.Other());  // the name field has lost the focus
        CString member("stale");
        const bool rejected = ValidateFileName(field.Edit(), member);
        if (!row.text) {
            EXPECT_FALSE(rejected);
            EXPECT_EQ(member, row.typed);
            EXPECT_EQ(field.Text(), row.typed);
            EXPECT_TRUE(test::MessageBoxes().empty());
            EXPECT_EQ(GetFocus(), field.Other());
            continue;
        }
        EXPECT_TRUE(rejected);
        EXPECT_EQ(member, "");
        EXPECT_EQ(field.Text(), "");
        EXPECT_EQ(GetFocus(), field.Edit());
        ASSERT_EQ(test::MessageBoxes().size(), 1u);
        const test::MessageBoxCall& box = test::MessageBoxes()[0];
        EXPECT_EQ(box.text, row.text);
        EXPECT_EQ(box.caption, row.caption);
        EXPECT_EQ(box.type, static_cast<UINT>(MB_OK));
        EXPECT_EQ(box.owner, field.Parent());
    }
}

} // namespace
