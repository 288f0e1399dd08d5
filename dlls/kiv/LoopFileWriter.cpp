#include "dlls/kiv/LoopFileWriter.h"

#include "base/ByteOrder.h"
#include "dlls/kiv/KIVFailures.h"

namespace NSKIV
{
std::vector<u8> WriteLoopFile(const TLoopFileContent& content)
{
    if (content.fChannelCount == 0)
        ThrowInvalidArgument();
    size_t samples = 0;
    for (const std::vector<i16>& slice : content.fSlices)
    {
        if (slice.size() % content.fChannelCount != 0)
            ThrowInvalidArgument();
        samples += slice.size();
    }

    std::vector<u8> bytes(kHeaderSize + content.fSlices.size() * kSliceEntrySize + samples * kBytesPerSample);
    const struct
    {
        size_t fOffset;
        u32 fValue;
    } kHeader[] = {
        {kMagicOffset, kLoopFileMagic},
        {kVersionOffset, content.fFormatVersion},
        {kChannelCountOffset, content.fChannelCount},
        {kSampleRateOffset, content.fSampleRate},
        {kSliceCountOffset, u32(content.fSlices.size())},
        {kBarCountOffset, content.fBarCount},
        {kBeatsPerBarOffset, content.fBeatsPerBar},
        {kTempoOffset, content.fTempo},
    };
    for (const auto& field : kHeader)
        NSByteOrder::WriteBE32(bytes.data() + field.fOffset, field.fValue);

    u8* entry = bytes.data() + kHeaderSize;
    u8* frame = entry + content.fSlices.size() * kSliceEntrySize;
    for (const std::vector<i16>& slice : content.fSlices)
    {
        NSByteOrder::WriteBE32(entry, u32(slice.size() / content.fChannelCount));
        entry += kSliceEntrySize;
        for (i16 sample : slice)
        {
            NSByteOrder::WriteBE16(frame, u16(sample));
            frame += kBytesPerSample;
        }
    }
    return bytes;
}
} // namespace NSKIV
