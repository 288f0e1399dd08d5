#include "media/codec/KORBEncoder.h"

#include "media/codec/OutputBitStream.h"
#include "base/Quorral.h"

#include <algorithm>

namespace
{
// The closing 1 bit of the unary part and the truncated binary remainder of value (below m).
struct TCodeTail
{
    u32 fBits; // 1 to 32: m is below 2^31
    u32 fCode;
};

[[gnu::always_inline]] inline TCodeTail MakeCodeTail(u32 m, u32 value)
{
    const u32 width = GetKORBRemainderWidth(m);
    const u32 shortCodes = (1u << width) - m;
    // Values from shortCodes on take one bit more; selected without a branch, as either is common.
    const bool isLong = value >= shortCodes;
    const u32 remainderBits = width - 1 + isLong;
    return {remainderBits + 1, (1u << remainderBits) | (isLong ? value + shortCodes : value)};
}

// A code of more than six groups of unary bits or of a parameter above the model's, which only
// residuals far above the average take: its zero bits and its tail.
struct TLongCode
{
    u32 fZeroBits;
    TCodeTail fTail;
};

// Computed apart from the bit run, so that the run never has its address taken and stays in
// registers.
[[gnu::noinline]] TLongCode MakeLongCode(u32 m, u32 value)
{
    u32 zeroBits = 0;
    // value < 2^32 keeps 7m below 2^32 and the grown m below 2^31.
    while (value >= u64(kKORBGroupLength) * m)
    {
        value -= kKORBGroupLength * m;
        zeroBits += kKORBGroupLength;
        m *= kKORBGroupGrowth;
    }
    const u32 groups = value / m;
    return {zeroBits + groups, MakeCodeTail(m, value - groups * m)};
}

[[gnu::always_inline]] inline void PutAdaptiveCode(CBitRun& bits, u32 m, u32 value)
{
    if (value >= u64(kKORBGroupLength) * m || m >= (1u << 25)) [[unlikely]]
    {
        const TLongCode code = MakeLongCode(m, value);
        for (u32 zeroBits = code.fZeroBits; zeroBits > 0;)
        {
            const u32 piece = std::min(zeroBits, 32u);
            bits.PutBits(piece, 0);
            zeroBits -= piece;
        }
        bits.PutBits(code.fTail.fBits, code.fTail.fCode);
        return;
    }
    // The common code: at most six groups of m, counted by comparisons (a division costs more),
    // and a tail of at most 26 bits (m < 2^25), all in one piece of at most 32 bits.
    const u32 groups = (value >= m) + (value >= 2 * m) + (value >= 3 * m) + (value >= 4 * m) +
                       (value >= 5 * m) + (value >= 6 * m);
    const TCodeTail tail = MakeCodeTail(m, value - groups * m);
    bits.PutBits(groups + tail.fBits, tail.fCode);
}

[[gnu::always_inline]] inline void CodeSample(CBitRun& bits, TKORBPredictor& predictor, u32 sample)
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
    CBitRun bits(*encoder.fStream);
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
    CBitRun bits(*encoder.fStream);
    PutAdaptiveCode(bits, m, value);
}

void EncodeKORBSample(TKORBEncoder& encoder, TKORBChannelState& state, u32 sample)
{
    TKORBPredictor predictor(state);
    CBitRun bits(*encoder.fStream);
    CodeSample(bits, predictor, sample);
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
