#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {
// Each test starts with no recorded message boxes or shell executions, the
// default answer and no write faults.
class ResetMessageBoxes : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override
    {
        test::MessageBoxes().clear();
        test::ShellExecutes().clear();
        test::SetMessageBoxAnswer(IDOK);
        test::ResetWriteFaults();
    }
};
} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new ResetMessageBoxes);
    return RUN_ALL_TESTS();
}
