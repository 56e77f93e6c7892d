#include "ui/PasswordHistory.h"

#include <gtest/gtest.h>

namespace {

using List = std::vector<CString>;

TEST(PasswordHistoryTest, RecordPassMovesOrInsertsAtTheTop)
{
    struct Row {
        List before;
        const char* password;
        List after;
    } rows[] = {
        {{}, "a", {"a"}},
        {{"x", "y", "z"}, "z", {"z", "x", "y"}},
        {{"x", "y", "z"}, "new", {"new", "x", "y", "z"}},
        {{"x", "y", "z"}, "", {"x", "y", "z"}},
        {{"p", "dup", "q", "dup"}, "dup", {"dup", "p", "q", "dup"}},
        {{"Pass", "x"}, "pass", {"pass", "Pass", "x"}},
        {{"", "パス表"}, "パス表", {"パス表", ""}},
    };
    for (Row& r : rows) {
        RecordPass(r.before, r.password);
        EXPECT_EQ(r.before, r.after) << r.password;
    }
}

} // namespace
