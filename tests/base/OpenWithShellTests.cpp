#include "base/OpenWithShell.h"

#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

namespace
{
TEST(OpenWithShell, AMissingTargetAnswersFalseWithoutThrowing)
{
    EXPECT_FALSE(NSFerrant::OpenWithShell(MakeText(u"Z:\\no such folder\\no such file.vtl")));
}
} // namespace
