// The bitmap cache's order, capacity and replacement rules, and the image-id registry.
#include "gui/BitmapCache.h"

#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "gui/BitmapService.h"
#include "gui/ScreenInfo.h"
#include "gui/VRAMBitmap.h"

#include <gtest/gtest.h>

using namespace NSFerrant;

namespace
{
// An image that records nothing: the cache only holds it.
class CImage final : public CABCImage
{
public:
    void GetSize(u32 size[2]) const override { size[0] = size[1] = 1; }
    void Draw(TDrawContext&, float, float, u32, u32, u32, u32) override {}
    void DrawInRect(TDrawContext&, const float*) override {}
};

TImageID Numbered(u32 cacheID)
{
    TImageID id;
    id.fKind = kImageIDNumber;
    id.fCacheID = cacheID;
    return id;
}

bool Has(CBitmapCache& cache, u32 id)
{
    TImagePtr image;
    return cache.Find(id, image);
}

TEST(BitmapCache, TheLeastRecentlyUsedEntryGoesWhenFull)
{
    CBitmapCache cache(1500);
    for (u32 id = 0; id < 1500; ++id)
        cache.Insert(std::make_shared<CImage>(), Numbered(id));
    cache.Insert(std::make_shared<CImage>(), Numbered(1500));
    EXPECT_EQ(cache.Count(), 1500u);
    EXPECT_FALSE(Has(cache, 0));
    EXPECT_TRUE(Has(cache, 1));

    // A found entry becomes the most recently used: the next one goes instead.
    CBitmapCache used(1500);
    for (u32 id = 0; id < 1500; ++id)
        used.Insert(std::make_shared<CImage>(), Numbered(id));
    EXPECT_TRUE(Has(used, 0));
    used.Insert(std::make_shared<CImage>(), Numbered(1500));
    EXPECT_TRUE(Has(used, 0));
    EXPECT_FALSE(Has(used, 1));
}

TEST(BitmapCache, AnEmptyEntryIsAHitAndAPresentIdIsReplaced)
{
    CBitmapCache cache(2);
    cache.Insert(nullptr, Numbered(7));
    TImagePtr image = std::make_shared<CImage>();
    EXPECT_TRUE(cache.Find(7, image));
    EXPECT_EQ(image, nullptr);

    const auto first = std::make_shared<CImage>();
    const auto second = std::make_shared<CImage>();
    cache.Insert(first, Numbered(8));
    cache.Insert(second, Numbered(8));
    EXPECT_EQ(cache.Count(), 2u);
    EXPECT_TRUE(cache.Find(8, image));
    EXPECT_EQ(image, second);
    EXPECT_EQ(first.use_count(), 1) << "the replaced image is released";
    EXPECT_TRUE(Has(cache, 7)) << "replacing made no room";
}

TEST(BitmapCache, EraseAndClearReleaseImages)
{
    CBitmapCache cache(1);
    const auto image = std::make_shared<CImage>();
    cache.Insert(image, Numbered(1));
    cache.Erase(99);
    EXPECT_EQ(cache.Count(), 1u);
    // A capacity of one: every insertion evicts the one before.
    cache.Insert(std::make_shared<CImage>(), Numbered(2));
    EXPECT_FALSE(Has(cache, 1));
    EXPECT_EQ(image.use_count(), 1);
    cache.Erase(2);
    EXPECT_EQ(cache.Count(), 0u);

    CBitmapCache unlimited(0);
    for (u32 id = 0; id < 3000; ++id)
        unlimited.Insert(image, Numbered(id));
    EXPECT_EQ(unlimited.Count(), 3000u);
    unlimited.Clear();
    EXPECT_EQ(unlimited.Count(), 0u);
    EXPECT_EQ(image.use_count(), 1);
}

TEST(ImageIDs, EachIdentityKeepsOneCacheIdForTheRun)
{
    const TImageID png = MakePNGImageID(1000);
    EXPECT_EQ(png.fKind, u32(kImageIDResource));
    EXPECT_EQ(png.fResource.fType, NSTextPackage::ASCIIToUTF16("PNGF", 0));
    EXPECT_EQ(png.fResource.fID, 1000);
    EXPECT_EQ(png.fNumber, 666u);
    EXPECT_EQ(png.fSecond, 666u);
    EXPECT_EQ(MakePNGImageID(1000).fCacheID, png.fCacheID);
    EXPECT_NE(MakePNGImageID(1001).fCacheID, png.fCacheID);

    // Resources that differ only in their index are two identities.
    TImageID entry = png;
    entry.fResource.fIndex = 4;
    EXPECT_NE(RegisterImageID(entry), png.fCacheID);
    EXPECT_EQ(RegisterImageID(entry), RegisterImageID(entry));

    TImageID number;
    number.fKind = kImageIDNumber;
    number.fNumber = 3;
    const u32 three = RegisterImageID(number);
    EXPECT_EQ(three & 0x80000000, 0x80000000u);
    number.fNumber = 4;
    EXPECT_EQ(RegisterImageID(number), three + 1);
    number.fNumber = 3;
    EXPECT_EQ(RegisterImageID(number), three);

    TImageID none;
    EXPECT_EQ(RegisterImageID(none), kNoCacheID);
    none.fKind = 82;
    EXPECT_EQ(RegisterImageID(none), kNoCacheID);
}
// The application's fetcher as far as GetBitmap sees it: it caches what it hands out.
class CFetcher final : public IBitmapFetcher
{
public:
    void ForgetBitmap(const TImageID& id) override { fCache.Erase(id.fCacheID); }
    void FetchBitmap(TImagePtr& out, const CScreenInfo* screen, const TImageID& id) override
    {
        fScreen = screen;
        if (!fCache.Find(id.fCacheID, out))
        {
            out = std::make_shared<CImage>();
            fCache.Insert(out, id);
        }
    }

    CBitmapCache fCache{1500};
    const CScreenInfo* fScreen = nullptr;
};

TEST(BitmapService, BitmapsComeFromTheApplicationsFetcher)
{
    SetBitmapService(nullptr, nullptr);
    EXPECT_THROW(GetBitmap(Numbered(1)), NSQuorral::XIllegalCallSequence);

    CFetcher fetcher;
    const CScreenInfo screen(32, {});
    SetBitmapService(&fetcher, &screen);
    CABCImage* image = GetBitmap(Numbered(1));
    EXPECT_NE(image, nullptr);
    EXPECT_EQ(GetBitmap(Numbered(1)), image) << "the cached image stays alive";
    EXPECT_EQ(fetcher.fScreen, &screen);
    SetBitmapService(nullptr, nullptr);
}
} // namespace
