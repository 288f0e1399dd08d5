// The program's side of the GUI library: the one interface, resource texts and icons, against the
// real Trellis DLL and the program's resources, which this executable links.
#include "base/LibraryStatusTables.h"
#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "gui/IconResourceIDs.h"
#include "gui/TrellisInterface.h"
#include "gui/TrellisUtils.h"

#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace
{
TEST(TrellisInterface, ExistsFromCreationToRelease)
{
    EXPECT_THROW(GetTrellisInterface(), NSQuorral::XIllegalCallSequence);
    CreateTrellisInterface();
    EXPECT_NE(GetTrellisInterface(), nullptr);
    ReleaseTrellisInterface();
    EXPECT_THROW(GetTrellisInterface(), NSQuorral::XIllegalCallSequence);
    ReleaseTrellisInterface();
}

class TrellisUtilsTest : public ::testing::Test
{
protected:
    void SetUp() override { CreateTrellisInterface(); }
    void TearDown() override { ReleaseTrellisInterface(); }
};

TEST_F(TrellisUtilsTest, GetResourceTextReturnsStringAndAlertEntries)
{
    EXPECT_EQ(NSTrellisUtils::GetResourceText(NSFerrant::MakeStringID(128, 18)), MakeText(u"Vantle Packer"));
    EXPECT_EQ(NSTrellisUtils::GetResourceText(NSFerrant::MakeStringID(2000, 502)), MakeText(u"Kiv Slice"));
    EXPECT_EQ(NSTrellisUtils::GetResourceText(NSFerrant::MakeAlertID(301, 1)),
              MakeText(u"[STOP]Log on failed due to some restriction on the account.\rContact your system "
                   u"administrator.[OK]"));
    EXPECT_EQ(NSTrellisUtils::GetResourceText(NSFerrant::MakeStringID(128, 63)),
              MakeText(u"Time remaining: Less than one minute\u2026"));
}

TEST_F(TrellisUtilsTest, GetResourceTextOfAMissingEntryThrowsTheLibrarysFailure)
{
    for (const NSFerrant::TResourceID& id :
         {NSFerrant::MakeStringID(128, 1), NSFerrant::MakeAlertID(128, 1), NSFerrant::MakeStringID(4000, 1)})
    {
        try
        {
            NSTrellisUtils::GetResourceText(id);
            ADD_FAILURE() << id.Describe();
        }
        catch (const std::runtime_error& e)
        {
            EXPECT_EQ(NSQuorral::ClassifyException(e).fKind, 17u) << id.Describe();
        }
    }
    // The empty id names no entry at all.
    EXPECT_THROW(NSTrellisUtils::GetResourceText(NSFerrant::TResourceID()), std::invalid_argument);
}

TEST_F(TrellisUtilsTest, IconsOfTheLibraryAndOfTheProgramsResources)
{
    EXPECT_NE(NSTrellisUtils::CreateIcon(3011), nullptr);
    EXPECT_THROW(NSTrellisUtils::CreateIcon(1), std::runtime_error);
    for (const u16 n : {53, 91, 92, 93, 94})
        EXPECT_NE(NSTrellisUtils::CreateIconFromResource(NSFerrant::MakeIconResourceID(n)), nullptr) << n;
    EXPECT_THROW(NSTrellisUtils::CreateIconFromResource(NSFerrant::MakeIconResourceID(95)), std::runtime_error);

    const NSFerrant::TResourceID icon = NSFerrant::MakeIconResourceID(53);
    EXPECT_EQ(icon.fKind, NSFerrant::kResourceIDNumbered);
    EXPECT_EQ(icon.Describe(), "ICON/53");
}

TEST_F(TrellisUtilsTest, AnIconPointerReleasesTheIconOnce)
{
    u32 status = kTrellisLogicError;
    NSTrellis::IIcon* raw = GetTrellisInterface()->CreateIcon(3001, &status);
    ASSERT_EQ(status, kTrellisOK);
    HICON smallIcon = nullptr;
    HICON largeIcon = nullptr;
    raw->GetHandles(&smallIcon, &largeIcon);
    {
        const auto shared = NSTrellisUtils::MakeIconPtr(raw);
        const auto copy = shared;
    }
    ICONINFO info{};
    EXPECT_FALSE(GetIconInfo(smallIcon, &info));
    EXPECT_EQ(NSTrellisUtils::MakeIconPtr(nullptr), nullptr);
}
} // namespace
