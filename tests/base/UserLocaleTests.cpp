// These tests run twice: in the normal run (LANG=en_US.UTF-8) and in a run with
// LANG=de_DE.UTF-8, which names the expected locale in VANTLE_TEST_LOCALE.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "base/Clock.h"
#include "base/GroupedNumbers.h"
#include "base/TextConversions.h"
#include "tests/support/TextLiterals.h"

using namespace NSTextPackage;

namespace
{
struct LocaleExpectation
{
    const char* name;
    TUTF16String groupedNumber;
    TUTF16String shortDate; // of 5 March 2024
};

const LocaleExpectation kLocales[] = {
    {"en-US", MakeText(u"1,234,567"), MakeText(u"3/5/2024")},
    {"de-DE", MakeText(u"1.234.567"), MakeText(u"5.3.2024")},
};

class UserLocale : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const char* requested = std::getenv("VANTLE_TEST_LOCALE");
        const std::string expected = requested != nullptr ? requested : "en-US";
        wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
        ASSERT_GT(GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH), 0);
        ASSERT_EQ(UTF16ToUTF8(FromWide(name)), expected) << "the run did not select the locale";
        for (const LocaleExpectation& locale : kLocales)
        {
            if (expected == locale.name)
                fLocale = &locale;
        }
        ASSERT_NE(fLocale, nullptr) << "no expectations for " << expected;
    }

    const LocaleExpectation* fLocale = nullptr;
};

TEST_F(UserLocale, GroupedNumbersFollowTheUserLocale)
{
    InstallGroupingLocale();
    EXPECT_EQ(FormatGroupedNumber(1234567), fLocale->groupedNumber);
    EXPECT_EQ(FormatGroupedNumber(-1234567), MakeText(u"-") + fLocale->groupedNumber);

    i64 value = 0;
    EXPECT_TRUE(ParseNumber(fLocale->groupedNumber, value, GetNumberLocale()));
    EXPECT_EQ(value, 1234567);
}

TEST_F(UserLocale, FormatLocalDateGivesTheShortDate)
{
    // Noon UTC, so that the local date is the same in every time zone the tests run in.
    const SYSTEMTIME noon = {2024, 3, 2, 5, 12, 0, 0, 0};
    FILETIME moment;
    ASSERT_TRUE(SystemTimeToFileTime(&noon, &moment));
    const u64 fileTime = (u64(moment.dwHighDateTime) << 32) | moment.dwLowDateTime;
    EXPECT_EQ(NSFerrant::FormatLocalDate(fileTime), fLocale->shortDate);
}
} // namespace
