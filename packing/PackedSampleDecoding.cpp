#include "packing/PackedSampleDecoding.h"

#include "base/Media.h"
#include "media/TempoMap.h"
#include "media/codec/KORBTrailer.h"

#include <algorithm>

namespace NSVantlePacking
{
CKORBRunDecoder::CKORBRunDecoder(NSFerrant::CMedia& stream)
{
    ReadKORBHeader(fHeader, stream);
    StartDecoding(stream);
}

CKORBRunDecoder::CKORBRunDecoder(NSFerrant::CMedia& stream, TEndUnknown)
{
    ReadKORBHeaderUnchecked(fHeader, stream);
    StartDecoding(stream);
}

void CKORBRunDecoder::StartDecoding(NSFerrant::CMedia& stream)
{
    fCodeStart = stream.fPosition;
    fDecompressor = std::make_unique<COptimizedKORBDecompressorFromMedia>(stream);
    const size_t runSamples = size_t(kDecodedFramesPerRun) * fHeader.fChannelCount;
    if (IsWide())
        fSamples32.resize(runSamples);
    else
        fSamples16.resize(runSamples);
}

u32 CKORBRunDecoder::DecodeNextRun()
{
    const u32 n = std::min(kDecodedFramesPerRun, fHeader.fFrameCount - fFramesDone);
    if (n == 0)
        return 0;
    const bool stereo = fHeader.fChannelCount == 2;
    if (IsWide())
        (stereo ? DecodeKORBStereo32 : DecodeKORBMono32)(*fDecompressor, n, fSamples32.data());
    else
        (stereo ? DecodeKORBStereo16 : DecodeKORBMono16)(*fDecompressor, n, fSamples16.data());
    fFramesDone += n;
    return n;
}

namespace
{
void DecodeEveryRun(CKORBRunDecoder& decoder)
{
    while (decoder.DecodeNextRun() > 0)
    {
    }
}

// The trailer is found from the end of the stream, wherever the code words ended.
void DecodeTrailer(NSFerrant::CMedia& stream, i64 start, const TKORBHeader& header)
{
    stream.fPosition = start;
    NSFerrant::COwnedMemoryMedia tempoMap(0);
    if (FindKORBTempoMapBlock(stream, kKORBTempoMapTag, tempoMap))
        NSTempoMap::LoadTempoMap(tempoMap.GetBytes().data(), u64(tempoMap.GetSize()), header.fSampleRate);
}
} // namespace

void DecodeKORBSample(NSFerrant::CMedia& stream)
{
    const i64 start = stream.fPosition;
    CKORBRunDecoder decoder(stream);
    DecodeEveryRun(decoder);
    DecodeTrailer(stream, start, decoder.GetHeader());
}

void DecodeKORBSampleBehindWriter(NSFerrant::CMedia& stream, const std::function<i64()>& waitForEnd)
{
    const i64 start = stream.fPosition;
    CKORBRunDecoder decoder(stream, CKORBRunDecoder::TEndUnknown{});
    DecodeEveryRun(decoder);
    CheckKORBHeader(decoder.GetHeader(), waitForEnd() - decoder.GetCodeStart());
    DecodeTrailer(stream, start, decoder.GetHeader());
}
} // namespace NSVantlePacking
