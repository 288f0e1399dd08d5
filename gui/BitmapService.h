#pragma once
// How views obtain bitmaps: through the application object's fetcher, for the screen the
// application described at start-up.
#include "gui/ImageIDs.h"

#include <memory>

class CScreenInfo;

namespace NSFerrant
{
class CABCImage;

class IBitmapFetcher
{
public:
    // Drops the identity's bitmap from the application's cache.
    virtual void ForgetBitmap(const TImageID& id) = 0;
    // The identity's bitmap for the screen, from the cache or made and cached.
    virtual void FetchBitmap(std::shared_ptr<CABCImage>& out, const CScreenInfo* screen, const TImageID& id) = 0;

protected:
    ~IBitmapFetcher() = default;
};

// Set by the application object at start-up, cleared (both null) when it quits.
void SetBitmapService(IBitmapFetcher* fetcher, const CScreenInfo* screen);

// The identity's bitmap through the fetcher; XIllegalCallSequence without one. The pointer stays
// valid while the application's cache holds the bitmap.
CABCImage* GetBitmap(const TImageID& id);
// Drops the identity's bitmap from the application's cache; nothing without a fetcher.
void ForgetBitmap(const TImageID& id);
} // namespace NSFerrant
