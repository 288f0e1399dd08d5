#pragma once
// A bitmap of the library: a top-down DIB section with its description, and the locks through
// which callers reach its pixels.
#include "dlls/tinct/GDIObjects.h"
#include "dlls/tinct/Tinct.h"

namespace NSTinctLibrary
{
class CBitmap final : public NSTinct::IBitmap
{
public:
    // Every pixel 0. palette (256 entries) only for 8 bits; hasAlpha only for 32.
    CBitmap(u32 width, u32 height, u32 bitsPerPixel, bool hasAlpha, const RGBQUAD* palette);

    u32 Release(u32 destroy) override;
    u32 GetInfo(NSTinct::TBitmapInfo* info) override;
    NSTinct::IPixelLock* LockForReading(u32* status) override;
    NSTinct::IPixelLock* LockForWriting(u32* status) override;

    const NSTinct::TBitmapInfo& Info() const { return fInfo; }
    HBITMAP Handle() const { return HBITMAP(fSection.Get()); }
    const u8* Pixels() const { return static_cast<const u8*>(fBits); }
    u8* Pixels() { return static_cast<u8*>(fBits); }

    // Called by the locks as they end.
    void Unlock(bool writing);

private:
    CBitmap(const NSTinct::TBitmapInfo& info, const TDIBSection& section);
    NSTinct::IPixelLock* Lock(u32* status, bool writing);

    NSTinct::TBitmapInfo fInfo;
    CGDIObject fSection;
    void* fBits;
    u32 fReadingLocks = 0;
    bool fWriteLocked = false;
};

// A bitmap argument, which must be one of this library's.
CBitmap& AsBitmap(NSTinct::IBitmap* bitmap);
} // namespace NSTinctLibrary
