#include "gui/BitmapService.h"

#include "base/Throw.h"

namespace NSFerrant
{
namespace
{
struct TBitmapService
{
    IBitmapFetcher* fFetcher = nullptr;
    const CScreenInfo* fScreen = nullptr;
};

TBitmapService gService;
} // namespace

void SetBitmapService(IBitmapFetcher* fetcher, const CScreenInfo* screen)
{
    gService = TBitmapService{fetcher, screen};
}

CABCImage* GetBitmap(const TImageID& id)
{
    if (!gService.fFetcher)
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
    std::shared_ptr<CABCImage> image;
    gService.fFetcher->FetchBitmap(image, gService.fScreen, id);
    return image.get();
}

void ForgetBitmap(const TImageID& id)
{
    if (gService.fFetcher)
        gService.fFetcher->ForgetBitmap(id);
}
} // namespace NSFerrant
