#include "dlls/tinct/TinctBitmap.h"

#include "dlls/tinct/TinctBoundary.h"

namespace NSTinctLibrary
{
namespace
{
class CPixelLock final : public NSTinct::IPixelLock
{
public:
    CPixelLock(CBitmap& bitmap, bool writing) : fBitmap(bitmap), fWriting(writing) {}

    u32 Release(u32 destroy) override
    {
        if (destroy == 1)
        {
            // Drawing through GDI and writing through the address must not overlap.
            GdiFlush();
            fBitmap.Unlock(fWriting);
            delete this;
        }
        return kTinctOK;
    }
    u32 GetPixels8ForWriting(u64* address) override { return Answer(address, 8, true); }
    u32 GetPixels8ForReading(u64* address) override { return Answer(address, 8, false); }
    u32 GetPixels16ForWriting(u64* address) override { return Answer(address, 16, true); }
    u32 GetPixels16ForReading(u64* address) override { return Answer(address, 16, false); }
    u32 GetPixels32ForWriting(u64* address) override { return Answer(address, 32, true); }
    u32 GetPixels32ForReading(u64* address) override { return Answer(address, 32, false); }

private:
    u32 Answer(u64* address, u32 bitsPerPixel, bool forWriting)
    {
        return AnswerStatus([&] {
            if (!address || fBitmap.Info().fBitsPerPixel != bitsPerPixel)
                ThrowInvalidArgument();
            if (forWriting && !fWriting)
                ThrowIllegalCallSequence();
            GdiFlush();
            *address = u64(reinterpret_cast<uintptr_t>(fBitmap.Pixels()));
        });
    }

    CBitmap& fBitmap;
    bool fWriting;
};
} // namespace

// DIB rows are padded to whole 32-bit words.
CBitmap::CBitmap(u32 width, u32 height, u32 bitsPerPixel, bool hasAlpha, const RGBQUAD* palette)
    : CBitmap({width, height, ((u64(width) * bitsPerPixel + 31) / 32) * 4, bitsPerPixel, hasAlpha ? 1u : 0u},
              CreateDIBSectionOf(width, height, bitsPerPixel, palette))
{
}

CBitmap::CBitmap(const NSTinct::TBitmapInfo& info, const TDIBSection& section)
    : fInfo(info), fSection(section.fBitmap), fBits(section.fBits)
{
}

u32 CBitmap::Release(u32 destroy)
{
    if (destroy != 1)
        return kTinctOK;
    if (fWriteLocked || fReadingLocks != 0)
        return AnswerStatus([] { ThrowIllegalCallSequence(); });
    delete this;
    return kTinctOK;
}

u32 CBitmap::GetInfo(NSTinct::TBitmapInfo* info)
{
    return AnswerStatus([&] {
        if (!info)
            ThrowInvalidArgument();
        *info = fInfo;
    });
}

NSTinct::IPixelLock* CBitmap::LockForReading(u32* status)
{
    return Lock(status, false);
}

NSTinct::IPixelLock* CBitmap::LockForWriting(u32* status)
{
    return Lock(status, true);
}

NSTinct::IPixelLock* CBitmap::Lock(u32* status, bool writing)
{
    return AnswerObject(status, [&]() -> NSTinct::IPixelLock* {
        if (fWriteLocked || (writing && fReadingLocks != 0))
            ThrowIllegalCallSequence();
        auto* lock = new CPixelLock(*this, writing);
        if (writing)
            fWriteLocked = true;
        else
            ++fReadingLocks;
        return lock;
    });
}

void CBitmap::Unlock(bool writing)
{
    if (writing)
        fWriteLocked = false;
    else if (fReadingLocks != 0)
        --fReadingLocks;
}

CBitmap& AsBitmap(NSTinct::IBitmap* bitmap)
{
    if (!bitmap)
        ThrowInvalidArgument();
    return static_cast<CBitmap&>(*bitmap);
}
} // namespace NSTinctLibrary
