#include "dlls/audiocodec/PCMSampleReader.h"

#include "base/ByteOrder.h"

namespace NSAudioCodec
{
namespace
{
// The sample at p as a value of its container's width, sign-extended.
i32 ReadContainer(const u8* p, const TPCMLayout& layout)
{
    switch (layout.fBytesPerSample)
    {
    case 1:
        return layout.fUnsigned ? i32(p[0]) - 128 : i32(i8(p[0]));
    case 2:
        return i16(layout.fLittleEndian ? NSByteOrder::ReadLE16(p) : NSByteOrder::ReadBE16(p));
    case 3:
    {
        const u32 bits = layout.fLittleEndian ? u32(p[0]) | (u32(p[1]) << 8) | (u32(p[2]) << 16)
                                              : (u32(p[0]) << 16) | (u32(p[1]) << 8) | u32(p[2]);
        return i32(bits << 8) >> 8;
    }
    default:
        return i32(layout.fLittleEndian ? NSByteOrder::ReadLE32(p) : NSByteOrder::ReadBE32(p));
    }
}

// The value on the 24-bit scale: 8- and 16-bit containers are exact there, a 32-bit one is not.
float ToInt24Scale(i32 value, u32 bytesPerSample)
{
    switch (bytesPerSample)
    {
    case 1:
        return float(value * 65536);
    case 2:
        return float(value * 256);
    case 3:
        return float(value);
    default:
        return float(value) / 256.0f;
    }
}
} // namespace

void CheckPCMLayout(const TPCMLayout& layout, const CByteSource& source)
{
    if (layout.fChannelCount < 1 || layout.fChannelCount > kMaxChannels || layout.fBytesPerSample < 1 ||
        layout.fBytesPerSample > 4)
        ThrowUnsupportedFormat();
    // At most 64 × 4 × (2^32 - 1) bytes: no overflow in 64 bits.
    source.CheckRange(layout.fDataPosition, i64(layout.fFrameCount) * layout.fChannelCount * layout.fBytesPerSample);
}

CPCMSampleReader::CPCMSampleReader(const CByteSource& source, const TPCMLayout& layout)
    : fSource(source),
      fLayout(layout),
      fBytesPerFrame(u32(layout.fChannelCount) * layout.fBytesPerSample)
{
}

u32 CPCMSampleReader::Release()
{
    delete this;
    return kAudioCodecOK;
}

u32 CPCMSampleReader::ReadFrames(u32 firstFrame, float* buffer, u32 frameCount)
{
    return NSQuorral::FenceStatus(kAudioCodecStatusMapping,
                                  [&] { DecodeFrames(firstFrame, buffer, frameCount); });
}

void CPCMSampleReader::DecodeFrames(u32 firstFrame, float* buffer, u32 frameCount)
{
    if (!buffer || frameCount > kMaxFramesPerRead || firstFrame > fLayout.fFrameCount ||
        frameCount > fLayout.fFrameCount - firstFrame)
        ThrowInvalidArgument();
    // Made on first use: a reader opened only for the format never needs it.
    if (!fBytes)
        fBytes = std::make_unique<u8[]>(size_t(kMaxFramesPerRead) * fBytesPerFrame);
    fSource.Read(fLayout.fDataPosition + i64(firstFrame) * fBytesPerFrame, i64(frameCount) * fBytesPerFrame,
                 fBytes.get());
    const u32 samples = frameCount * fLayout.fChannelCount;
    for (u32 i = 0; i < samples; ++i)
        buffer[i] = ToInt24Scale(ReadContainer(fBytes.get() + size_t(i) * fLayout.fBytesPerSample, fLayout),
                                 fLayout.fBytesPerSample);
}
} // namespace NSAudioCodec
