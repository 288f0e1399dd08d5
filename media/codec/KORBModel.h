#pragma once
// The predictor model that the KORB coder and decoder share. Each channel keeps its last sample
// and that sample's first to fourth differences (the residuals of orders 0 to 4) with a running
// average of each order's coded magnitude. A sample is coded at the order whose average is
// smallest (the lower order on a tie), with a code parameter that follows from that average.
// All arithmetic is 32-bit unsigned and wraps; a residual read as signed is the two's complement
// reading of its bits.
#include "base/Types.h"

#include <bit>

constexpr u32 kKORBOrderCount = 5;
constexpr u32 kKORBFreshAverage = 2560;

// Unary groups of the adaptive code: a group of this many zero bits multiplies the parameter by
// kKORBGroupGrowth and opens another group.
constexpr u32 kKORBGroupLength = 7;
constexpr u32 kKORBGroupGrowth = 4;

struct TKORBChannelState
{
    // fResidual[0] is the last sample, fResidual[p] its p-th difference.
    u32 fResidual[kKORBOrderCount] = {0, 0, 0, 0, 0};
    u32 fAverage[kKORBOrderCount] = {kKORBFreshAverage, kKORBFreshAverage, kKORBFreshAverage,
                                     kKORBFreshAverage, kKORBFreshAverage};
};

// The code parameter m of an average (the fresh average gives 60). It is below 2^25 for every
// average; an average that has wrapped to 30 or less gives 0, which no code can use.
inline u32 GetKORBParameter(u32 average)
{
    return ((average + 12) * 3) >> 7;
}

// The smallest k with 2^k > m, for m of at least 1.
inline u32 GetKORBRemainderWidth(u32 m)
{
    return 32 - u32(std::countl_zero(m));
}

// Residuals are coded as unsigned values: 2r for r >= 0, else -2r - 1.
inline u32 FoldKORBResidual(u32 residual)
{
    return (residual << 1) ^ u32(i32(residual) >> 31);
}
inline u32 UnfoldKORBValue(u32 value)
{
    return (value >> 1) ^ (0u - (value & 1));
}

// A channel state held in scalars for the length of a coding or decoding run, so that it stays
// in registers. The residual of order p of a sample x is x minus the sum of the previous
// sample's residuals of orders below p; the predictor keeps those prefix sums instead of the
// residuals, so that every order is one subtraction and the decoder needs no per-order branches
// to rebuild a sample.
class TKORBPredictor
{
public:
    explicit TKORBPredictor(const TKORBChannelState& state)
        : fP1(state.fResidual[0]), fP2(fP1 + state.fResidual[1]), fP3(fP2 + state.fResidual[2]),
          fP4(fP3 + state.fResidual[3]), fS4(state.fResidual[4]), fA0(state.fAverage[0]),
          fA1(state.fAverage[1]), fA2(state.fAverage[2]), fA3(state.fAverage[3]), fA4(state.fAverage[4])
    {
    }

    void StoreTo(TKORBChannelState& state) const
    {
        state = {{fP1, fP2 - fP1, fP3 - fP2, fP4 - fP3, fS4}, {fA0, fA1, fA2, fA3, fA4}};
    }

    // Chooses the order of the next sample from the averages as they stand; answers the code
    // parameter and leaves in GetPrediction() the value that order's residual is taken from:
    // residual = sample - prediction.
    u32 ChooseParameter()
    {
        u32 best = fA0;
        u32 prediction = 0;
        // Strict comparisons: a tie keeps the lower order. Branches, not conditional moves: the
        // order of a channel rarely changes from one sample to the next.
        if (fA1 < best)
            best = fA1, prediction = fP1;
        if (fA2 < best)
            best = fA2, prediction = fP2;
        if (fA3 < best)
            best = fA3, prediction = fP3;
        if (fA4 < best)
            best = fA4, prediction = fP4;
        fPrediction = prediction;
        return GetKORBParameter(best);
    }
    u32 GetPrediction() const { return fPrediction; }

    // Takes the coded sample: every order's residual and average move on.
    void Advance(u32 sample)
    {
        const u32 e1 = sample - fP1, e2 = sample - fP2, e3 = sample - fP3, e4 = sample - fP4;
        fA0 = fA0 - (fA0 >> 5) + FoldKORBResidual(sample);
        fA1 = fA1 - (fA1 >> 5) + FoldKORBResidual(e1);
        fA2 = fA2 - (fA2 >> 5) + FoldKORBResidual(e2);
        fA3 = fA3 - (fA3 >> 5) + FoldKORBResidual(e3);
        fA4 = fA4 - (fA4 >> 5) + FoldKORBResidual(e4);
        fP1 = sample;
        fP2 = fP1 + e1;
        fP3 = fP2 + e2;
        fP4 = fP3 + e3;
        fS4 = e4;
    }

private:
    u32 fP1, fP2, fP3, fP4;      // the sums of the last sample's residuals below orders 1 to 4
    u32 fS4;                     // the last sample's fourth difference, kept only for StoreTo
    u32 fA0, fA1, fA2, fA3, fA4; // the averages of each order
    u32 fPrediction = 0;
};
