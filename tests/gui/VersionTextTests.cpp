// The display form of versions, from the program's version texts through the real Trellis DLL.
// The tests run under LANG=en_US.UTF-8: groups of three digits, comma separated.
#include "gui/TrellisInterface.h"
#include "gui/VersionText.h"

#include "base/Quorral.h"
#include "base/TextConversions.h"

#include <gtest/gtest.h>

namespace
{
using NSFerrant::TVersion;

class VersionTextTest : public ::testing::Test
{
protected:
    void SetUp() override { CreateTrellisInterface(); }
    void TearDown() override { ReleaseTrellisInterface(); }
};

struct VersionTextCase
{
    TVersion fVersion;
    const char* fText;
};

const VersionTextCase kCases[] = {
    {{}, "n/a"},
    {{3, 1, 0, NSFerrant::kVersionStageDevelopment, 2, 0}, "3.1d2"},
    {{1, 0, 0, NSFerrant::kVersionStageFinal, 0, 12345}, "1.0 (build 12,345)"},
    {{1, 2, 3, NSFerrant::kVersionStageFinal, 0, 0}, "1.2.3"},
    {{1, 2, 0, NSFerrant::kVersionStageBeta, 0, 0}, "1.2b0"},
    {{2, 0, 1, NSFerrant::kVersionStageAlpha, 4, 7}, "2.0.1a4 (build 7)"},
    {{1, 0, 0, NSFerrant::kVersionStageFinal, 3, 0}, "1.0f3"},
    // A stage outside 1..4 reads as development.
    {{1, 0, 0, 7, 1, 0}, "1.0d1"},
    {{1000, 2000, 0, NSFerrant::kVersionStageFinal, 0, 0}, "1,000.2,000"},
};

TEST_F(VersionTextTest, ComposesFromTheVersionTextsWithGroupedDigits)
{
    for (const VersionTextCase& c : kCases)
        EXPECT_EQ(NSTextPackage::UTF16ToUTF8(FormatVersionText(c.fVersion)), c.fText);
}

TEST(VersionText, WithoutTheGUILibraryTheFailurePassesThrough)
{
    EXPECT_THROW(FormatVersionText(TVersion{1, 0, 0, NSFerrant::kVersionStageFinal, 0, 0}),
                 NSQuorral::XIllegalCallSequence);
}
} // namespace
