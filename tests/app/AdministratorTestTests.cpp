// The administrator test: Wine runs every process as an elevated administrator, so the check's
// denial is put in place through the elevation table.
#include "app/AdministratorTest.h"
#include "base/WinHandles.h"
#include "tests/app/ElevationDoubles.h"

#include <gtest/gtest.h>

namespace
{
using NSVantleApp::IsTokenAdministrator;
using NSVantleApp::IsUserAdministrator;

HANDLE OpenOwnToken()
{
    HANDLE token = nullptr;
    EXPECT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_DUPLICATE | TOKEN_QUERY, &token));
    return token;
}

TEST(AdministratorTest, TheAccessCheckDecides)
{
    const CWinKernelHandle token(OpenOwnToken());
    EXPECT_TRUE(IsUserAdministrator());
    EXPECT_TRUE(IsTokenAdministrator(token.Get()));
    const CElevationCallsOverride plainUser(PlainUserCalls());
    EXPECT_FALSE(IsUserAdministrator());
    EXPECT_FALSE(IsTokenAdministrator(token.Get()));
}

TEST(AdministratorTest, AnUnusableTokenAnswersNo)
{
    EXPECT_FALSE(IsTokenAdministrator(nullptr));
    HANDLE queryOnly = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &queryOnly));
    const CWinKernelHandle token(queryOnly);
    EXPECT_FALSE(IsTokenAdministrator(token.Get())) << "a token that cannot be duplicated";
}
} // namespace
