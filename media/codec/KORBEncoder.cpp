#include "media/codec/KORBEncoder.h"

#include "media/codec/OutputBitStream.h"
#include "base/Quorral.h"

namespace
{
[[gnu::always_inline]] inline void PutAdaptiveCode(COutputBitStream& bits, u32 m, u32 value)
{
    u32 groups = value / m;
    while (groups >= kKORBGroupLength)
    {
        // value < 2^32 keeps 7m below 2^32 and the grown m below 2^31.
        value -= kKORBGroupLength * m;
        bits.PutBits(kKORBGroupLength, 0);
        m *= kKORBGroupGrowth;
        groups = value / m;
    }
    value -= groups * m;
    const u32 width = GetKORBRemainderWidth(m);
    const u32 shortCodes = (1u << width) - m;
    u32 remainderBits = width - 1;
    if (value >= shortCodes)
    {
        value += shortCodes;
        remainderBits = width;
    }
    // The group's zero bits, the closing 1 bit and the remainder, in one piece when they fit.
    const u32 count = groups + 1 + remainderBits;
    if (count <= 32)
    {
        bits.PutBits(count, u32((u64(1) << remainderBits) | value));
        return;
    }
    bits.PutBits(groups + 1, 1);
    bits.PutBits(remainderBits, value);
}

[[gnu::always_inline]] inline void CodeSample(COutputBitStream& bits, TKORBPredictor& predictor, u32 sample)
{
    const u32 m = predictor.ChooseParameter();
    if (m == 0)
        NSQuorral::Throw<NSQuorral::XUnsupportedFormat>();
    PutAdaptiveCode(bits, m, FoldKORBResidual(sample - predictor.GetPrediction()));
    predictor.Advance(sample);
}

template <typename TSample>
void EncodeBlock(TKORBEncoder& encoder, u32 frameCount, const TSample* first, const TSample* second)
{
    COutputBitStream& bits = *encoder.fStream;
    TKORBPredictor firstPredictor(encoder.fFirst);
    if (second == nullptr)
    {
        for (u32 i = 0; i < frameCount; ++i)
            CodeSample(bits, firstPredictor, u32(i32(first[i])));
    }
    else
    {
        TKORBPredictor differencePredictor(encoder.fDifference);
        for (u32 i = 0; i < frameCount; ++i)
        {
            const u32 firstSample = u32(i32(first[i]));
            CodeSample(bits, firstPredictor, firstSample);
            CodeSample(bits, differencePredictor, u32(i32(second[i])) - firstSample);
        }
        differencePredictor.StoreTo(encoder.fDifference);
    }
    firstPredictor.StoreTo(encoder.fFirst);
}
} // namespace

void WriteAdaptiveCode(TKORBEncoder& encoder, u32 m, u32 value)
{
    PutAdaptiveCode(*encoder.fStream, m, value);
}

void EncodeKORBSample(TKORBEncoder& encoder, TKORBChannelState& state, u32 sample)
{
    TKORBPredictor predictor(state);
    CodeSample(*encoder.fStream, predictor, sample);
    predictor.StoreTo(state);
}

void EncodeKORBBlock16(TKORBEncoder& encoder, u32 frameCount, const TKORBPlanes16& planes)
{
    EncodeBlock(encoder, frameCount, planes.fFirst, planes.fSecond);
}

void EncodeKORBBlock24(TKORBEncoder& encoder, u32 frameCount, const TKORBPlanes24& planes)
{
    EncodeBlock(encoder, frameCount, planes.fFirst, planes.fSecond);
}
