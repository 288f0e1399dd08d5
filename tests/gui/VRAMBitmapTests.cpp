// The program's bitmaps over the pixel library: their description and pixel access.
#include "gui/VRAMBitmap.h"

#include "base/LibraryStatusTables.h"
#include "base/Quorral.h"
#include "gui/TinctInterface.h"

#include <gtest/gtest.h>

using namespace NSFerrant;

namespace
{
// A library bitmap of a depth the program cannot address, counting its releases.
class CDeepBitmap final : public NSTinct::IBitmap
{
public:
    u32 Release(u32) override
    {
        ++fReleases;
        return kTinctOK;
    }
    u32 GetInfo(NSTinct::TBitmapInfo* info) override
    {
        *info = {4, 4, 12, 24, 7};
        return fInfoStatus;
    }
    NSTinct::IPixelLock* LockForReading(u32* status) override
    {
        ++fLocks;
        *status = kTinctLogicError;
        return nullptr;
    }
    NSTinct::IPixelLock* LockForWriting(u32* status) override { return LockForReading(status); }

    u32 fReleases = 0;
    u32 fLocks = 0;
    u32 fInfoStatus = kTinctOK;
};

TEST(VRAMBitmap, OnlyBitmapsOfEightSixteenOrThirtyTwoBitsOpenForPixelAccess)
{
    CDeepBitmap library;
    {
        CVRAMBitmap bitmap(&library);
        EXPECT_EQ(bitmap.GetInfo().fHasAlpha, 1u) << "the flag word is kept as 0 or 1";
        u32 size[2] = {};
        bitmap.GetSize(size);
        EXPECT_EQ(size[0], 4u);
        EXPECT_THROW(OpenPixelsForReading(bitmap), std::exception);
        EXPECT_THROW(OpenPixelsForWriting(bitmap), std::exception);
        EXPECT_EQ(library.fLocks, 0u) << "refused before the library is asked";
    }
    EXPECT_EQ(library.fReleases, 1u);

    // A bitmap whose description cannot be read is released, not leaked.
    CDeepBitmap unreadable;
    unreadable.fInfoStatus = kTinctInvalidArgument;
    EXPECT_THROW(CVRAMBitmap{&unreadable}, std::invalid_argument);
    EXPECT_EQ(unreadable.fReleases, 1u);
}

TEST(VRAMBitmap, FactoriesMakeBitmapsOfTheirDepth)
{
    EXPECT_EQ(NewBitmap16(3, 2)->GetInfo().fBitsPerPixel, 16u);
    EXPECT_EQ(NewBitmap32(3, 2)->GetInfo().fRowBytes, 12u);
    EXPECT_EQ(NewBitmapRGBA(3, 2)->GetInfo().fHasAlpha, 1u);
    EXPECT_EQ(NewBitmap8(3, 2, TPalette(256, {1, 2, 3}))->GetInfo().fRowBytes, 4u);
    EXPECT_THROW(NewBitmap8(3, 2, TPalette(20, {1, 2, 3})), std::invalid_argument);
    EXPECT_THROW(NewBitmap32(0, 2), std::invalid_argument);
}
TEST(TinctInterface, IsMadeOnceAndMadeAgainAfterItsRelease)
{
    ITinct* tinct = GetTinct();
    ASSERT_NE(tinct, nullptr);
    EXPECT_EQ(GetTinct(), tinct);
    const std::unique_ptr<CVRAMBitmap> bitmap = NewBitmap32(2, 2);
    ReleaseTinct();
    ReleaseTinct();
    EXPECT_NE(GetTinct(), nullptr);
    EXPECT_EQ(bitmap->GetInfo().fWidth, 2u) << "bitmaps outlive the interface that made them";
    EXPECT_THROW(ThrowIfTinctFailure(kTinctOutOfMemory), std::bad_alloc);
}
} // namespace
