#include "media/codec/ImageCodecCallbacks.h"

#include "base/LibraryStatusTables.h"
#include "base/Throw.h"
#include "base/Media.h"

#include <stdexcept>

namespace NSFerrant
{
const u32 TOrielCallbacks::kSuccess = kOrielOK;
u32 TOrielCallbacks::StatusFromCurrentException()
{
    return OrielStatusFromCurrentException();
}

const u32 TGliskCallbacks::kSuccess = kGliskOK;
u32 TGliskCallbacks::StatusFromCurrentException()
{
    return GliskStatusFromCurrentException();
}

namespace
{
template <class TLibrary, class TWork> u32 Answer(TWork work)
{
    try
    {
        work();
        return TLibrary::kSuccess;
    }
    catch (...)
    {
        return TLibrary::StatusFromCurrentException();
    }
}
} // namespace

template <class TLibrary>
CImageMediaByteReader<TLibrary>::CImageMediaByteReader(CMedia& media) : fMedia(media), fBase(media.fPosition)
{
}

template <class TLibrary> u32 CImageMediaByteReader<TLibrary>::Read(i64 position, i64 count, void* destination)
{
    return Answer<TLibrary>([&] {
        if (position < 0 || count < 0 || !destination || position > INT64_MAX - fBase)
            NSQuorral::Throw<std::invalid_argument>();
        ReadBytesAt(fMedia, fBase + position, count, destination);
    });
}

template <class TLibrary> u32 CScanLineWriterPixelWriter<TLibrary>::BeginImage(u32 width, u32 height, u32 pixelFormat)
{
    return Answer<TLibrary>([&] {
        fPixelFormat = pixelFormat;
        fWriter.Begin(width, height);
    });
}

template <class TLibrary> u32 CScanLineWriterPixelWriter<TLibrary>::WriteScanLine(u32 row, const u8* pixels)
{
    return Answer<TLibrary>([&] {
        const u32 count = fWriter.GetRowPixelCount();
        if (fPixelFormat == NSImageCodec::kPixelFormatRGB)
            fWriter.WriteRowRGB(row, count, pixels);
        else if (fPixelFormat == NSImageCodec::kPixelFormatRGBA)
            fWriter.WriteRowRGBA(row, count, pixels);
        else
            NSQuorral::Throw<std::exception>();
    });
}

template class CImageMediaByteReader<TOrielCallbacks>;
template class CImageMediaByteReader<TGliskCallbacks>;
template class CScanLineWriterPixelWriter<TOrielCallbacks>;
template class CScanLineWriterPixelWriter<TGliskCallbacks>;
} // namespace NSFerrant
