#include "gui/VRAMBitmap.h"

#include "base/LibraryStatusTables.h"
#include "base/Throw.h"
#include "gui/Drawing.h"
#include "gui/TinctInterface.h"

#include <stdexcept>

namespace NSFerrant
{
namespace
{
template <class TCreate> std::unique_ptr<CVRAMBitmap> NewBitmap(u32 width, u32 height, TCreate create)
{
    const float size[2] = {float(width), float(height)};
    u32 status = kTinctRuntimeError;
    NSTinct::IBitmap* bitmap = create(GetTinct(), size, &status);
    if (status != kTinctOK && bitmap)
        bitmap->Release(1);
    ThrowIfTinctFailure(status);
    return std::make_unique<CVRAMBitmap>(bitmap);
}

NSTinct::TBitmapInfo ReadInfo(NSTinct::IBitmap* bitmap)
{
    if (!bitmap)
        NSQuorral::Throw<std::invalid_argument>();
    NSTinct::TBitmapInfo info{};
    try
    {
        ThrowIfTinctFailure(bitmap->GetInfo(&info));
    }
    catch (...)
    {
        bitmap->Release(1);
        throw;
    }
    info.fHasAlpha = info.fHasAlpha ? 1 : 0;
    return info;
}
} // namespace

CVRAMBitmap::CVRAMBitmap(NSTinct::IBitmap* bitmap) : fBitmap(bitmap), fInfo(ReadInfo(bitmap))
{
}

CVRAMBitmap::~CVRAMBitmap()
{
    fBitmap->Release(1);
}

void CVRAMBitmap::GetSize(u32 size[2]) const
{
    size[0] = fInfo.fWidth;
    size[1] = fInfo.fHeight;
}

void CVRAMBitmap::Draw(TDrawContext& context, float x, float y, u32 sourceX, u32 sourceY, u32 width, u32 height)
{
    const float destination[2] = {x, y};
    const float sourceOrigin[2] = {float(sourceX), float(sourceY)};
    const float size[2] = {float(width), float(height)};
    ThrowIfTinctFailure(GetTinct()->DrawBitmap(context.GetCanvas(), fBitmap, destination, sourceOrigin, size));
}

void CVRAMBitmap::DrawInRect(TDrawContext& context, const float rect[4])
{
    ThrowIfTinctFailure(GetTinct()->DrawBitmapInRect(context.GetCanvas(), fBitmap, rect));
}

std::unique_ptr<CVRAMBitmap> NewBitmap8(u32 width, u32 height, const TPalette& palette)
{
    if (palette.size() != 256)
        NSQuorral::Throw<std::invalid_argument>();
    u8 colours[256 * 4];
    for (size_t i = 0; i < 256; ++i)
    {
        colours[4 * i] = palette[i][0];
        colours[4 * i + 1] = palette[i][1];
        colours[4 * i + 2] = palette[i][2];
        colours[4 * i + 3] = 255;
    }
    return NewBitmap(width, height, [&](ITinct* tinct, const float* size, u32* status) {
        return tinct->CreateBitmap8(size, colours, status);
    });
}

std::unique_ptr<CVRAMBitmap> NewBitmap16(u32 width, u32 height)
{
    return NewBitmap(width, height, [](ITinct* tinct, const float* size, u32* status) {
        return tinct->CreateBitmap16(size, status);
    });
}

std::unique_ptr<CVRAMBitmap> NewBitmap32(u32 width, u32 height)
{
    return NewBitmap(width, height, [](ITinct* tinct, const float* size, u32* status) {
        return tinct->CreateBitmap32(size, status);
    });
}

std::unique_ptr<CVRAMBitmap> NewBitmapRGBA(u32 width, u32 height)
{
    return NewBitmap(width, height, [](ITinct* tinct, const float* size, u32* status) {
        return tinct->CreateBitmapRGBA(size, status);
    });
}

CPixelAccess::CPixelAccess(CVRAMBitmap& bitmap, bool forWriting)
    : fBitmap(bitmap), fLock(nullptr), fInfo(bitmap.GetInfo()), fBase(nullptr)
{
    const u32 bitsPerPixel = fInfo.fBitsPerPixel;
    if (bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 32)
        NSQuorral::Throw<std::exception>();
    u32 status = kTinctRuntimeError;
    NSTinct::IBitmap* library = bitmap.GetBitmap();
    fLock = forWriting ? library->LockForWriting(&status) : library->LockForReading(&status);
    ThrowIfTinctFailure(status);
    u64 address = 0;
    try
    {
        if (bitsPerPixel == 8)
            status = forWriting ? fLock->GetPixels8ForWriting(&address) : fLock->GetPixels8ForReading(&address);
        else if (bitsPerPixel == 16)
            status = forWriting ? fLock->GetPixels16ForWriting(&address) : fLock->GetPixels16ForReading(&address);
        else
            status = forWriting ? fLock->GetPixels32ForWriting(&address) : fLock->GetPixels32ForReading(&address);
        ThrowIfTinctFailure(status);
    }
    catch (...)
    {
        fLock->Release(1);
        throw;
    }
    fBase = reinterpret_cast<u8*>(uintptr_t(address));
}

CPixelAccess::~CPixelAccess()
{
    fLock->Release(1);
}

std::unique_ptr<CPixelAccess> OpenPixelsForWriting(CVRAMBitmap& bitmap)
{
    return std::make_unique<CPixelAccess>(bitmap, true);
}

std::unique_ptr<CPixelAccess> OpenPixelsForReading(CVRAMBitmap& bitmap)
{
    return std::make_unique<CPixelAccess>(bitmap, false);
}
} // namespace NSFerrant
