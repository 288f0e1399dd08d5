#include "media/codec/KORBDecoder.h"

#include "media/codec/KORBHeader.h"
#include "base/Media.h"
#include "base/ByteOrder.h"
#include "base/Quorral.h"

#include <algorithm>
#include <stdexcept>

namespace
{
// A valid stream's parameter stays below 2^31 (the coder's values are below 2^32), which keeps
// every shift of the remainder defined; its longest unary part is 106 zero bits (m = 1 grown by
// fifteen groups). Longer runs of zero bits are refused without reading on.
constexpr u32 kParameterLimit = 1u << 31;
constexpr u32 kMostZeroBits = kKORBGroupLength * 16;
constexpr u32 kFramesPerRun = 4096;

// The word reader of one kernel run, kept in locals and written back at the end of the run.
// Words are taken only when a bit is needed, so a stream is never read beyond its last code.
class CBitReader
{
public:
    explicit CBitReader(COptimizedKORBDecompressor& owner)
        : fOwner(&owner), fNext(owner.fNextWord), fEnd(owner.fEndWord), fBuffer(owner.fBitBuffer),
          fBits(owner.fBitsLeft)
    {
    }
    void WriteBack()
    {
        fOwner->fNextWord = fNext;
        fOwner->fEndWord = fEnd;
        fOwner->fBitBuffer = fBuffer;
        fOwner->fBitsLeft = fBits;
    }

    // Reads one code of parameter m; answers the coded value.
    [[gnu::always_inline]] u32 ReadCode(u32 m)
    {
        // Top up from words already fetched; the media is read only when a bit is needed.
        if (fBits <= 32 && fNext != fEnd)
        {
            fBuffer |= u64(*fNext++) << (32 - fBits);
            fBits += 32;
        }
        const u32 width = GetKORBRemainderWidth(m);
        const u32 shortCodes = (1u << width) - m;
        // The common code: one group of unary bits and the whole remainder at hand.
        const u32 zeros = u32(std::countl_zero(fBuffer)); // 64 for an empty buffer
        if (zeros < kKORBGroupLength && zeros + 1 + width <= fBits)
        {
            const u32 code = u32((fBuffer << (zeros + 1)) >> (64 - width));
            const u32 head = code >> 1;
            // Short and long remainders are both common: selected by a mask, not a branch.
            const u32 isLong = head >= shortCodes;
            const u32 used = zeros + width + isLong;
            fBuffer <<= used;
            fBits -= used;
            return zeros * m + head + ((head + (code & 1) - shortCodes) & (0u - isLong));
        }
        // The careful path works on a copy: a reader whose address is never taken stays in
        // registers on the fast path.
        CBitReader careful = *this;
        const u32 value = careful.ReadCodeCarefully(m);
        *this = careful;
        return value;
    }

private:
    // Any code, taking words one at a time exactly when a bit is needed.
    [[gnu::noinline]] u32 ReadCodeCarefully(u32 m)
    {
        const u32 zeros = ReadUnary();
        const u32 base = zeros < kKORBGroupLength ? zeros * m : ExpandGroups(zeros, m);
        const u32 width = GetKORBRemainderWidth(m);
        return base + ReadRemainder(width, (1u << width) - m);
    }

    // The base value and the final parameter of a unary part of more than one group.
    static u32 ExpandGroups(u32 zeros, u32& m)
    {
        u64 base = 0;
        for (; zeros >= kKORBGroupLength; zeros -= kKORBGroupLength)
        {
            base += u64(kKORBGroupLength) * m;
            const u64 grown = u64(m) * kKORBGroupGrowth;
            if (grown >= kParameterLimit)
                NSQuorral::Throw<NSQuorral::XFormatViolation>("");
            m = u32(grown);
        }
        base += u64(zeros) * m;
        if (base > 0xFFFFFFFFu)
            NSQuorral::Throw<NSQuorral::XFormatViolation>("");
        return u32(base);
    }

    // Counts the zero bits before the next 1 bit and consumes them and the 1 bit.
    u32 ReadUnary()
    {
        u32 zeros = 0;
        while (fBuffer == 0)
        {
            zeros += fBits;
            fBits = 0;
            if (zeros > kMostZeroBits)
                NSQuorral::Throw<NSQuorral::XFormatViolation>("");
            TakeWord();
        }
        const u32 leading = u32(std::countl_zero(fBuffer));
        // Two shifts: leading + 1 can be 64.
        fBuffer = (fBuffer << leading) << 1;
        fBits -= leading + 1;
        return zeros + leading;
    }

    // The truncated binary remainder of parameter m, whose width is k and which has shortCodes
    // codes of k - 1 bits.
    u32 ReadRemainder(u32 width, u32 shortCodes)
    {
        if (fBits < width - 1)
            TakeWord();
        const u32 head = u32((fBuffer >> 1) >> (64 - width)); // the next width - 1 bits
        if (head < shortCodes)
        {
            fBuffer <<= width - 1;
            fBits -= width - 1;
            return head;
        }
        if (fBits < width)
            TakeWord();
        const u32 value = u32(fBuffer >> (64 - width)) - shortCodes;
        fBuffer <<= width;
        fBits -= width;
        return value;
    }

    // Appends one word below the unread bits; called only with at most 32 bits unread.
    void TakeWord()
    {
        if (fNext == fEnd)
        {
            fOwner->FetchWords();
            fNext = fOwner->fNextWord;
            fEnd = fOwner->fEndWord;
        }
        fBuffer |= u64(*fNext++) << (32 - fBits);
        fBits += 32;
    }

    COptimizedKORBDecompressor* fOwner;
    const u32* fNext;
    const u32* fEnd;
    u64 fBuffer;
    u32 fBits;
};

[[gnu::always_inline]] inline u32 DecodeSample(CBitReader& reader, TKORBPredictor& predictor)
{
    const u32 m = predictor.ChooseParameter();
    if (m == 0)
        NSQuorral::Throw<NSQuorral::XFormatViolation>("");
    const u32 sample = UnfoldKORBValue(reader.ReadCode(m)) + predictor.GetPrediction();
    predictor.Advance(sample);
    return sample;
}

template <typename TOut> void DecodeMono(COptimizedKORBDecompressor& decompressor, u32 n, TOut* out)
{
    CBitReader reader(decompressor);
    TKORBPredictor first(decompressor.fFirst);
    for (u32 i = 0; i < n; ++i)
        out[i] = TOut(DecodeSample(reader, first));
    first.StoreTo(decompressor.fFirst);
    reader.WriteBack();
}

template <typename TOut> void DecodeStereo(COptimizedKORBDecompressor& decompressor, u32 n, TOut* out)
{
    CBitReader reader(decompressor);
    TKORBPredictor first(decompressor.fFirst);
    TKORBPredictor difference(decompressor.fDifference);
    for (u32 i = 0; i < n; ++i)
    {
        const u32 firstSample = DecodeSample(reader, first);
        out[2 * i] = TOut(firstSample);
        out[2 * i + 1] = TOut(firstSample + DecodeSample(reader, difference));
    }
    first.StoreTo(decompressor.fFirst);
    difference.StoreTo(decompressor.fDifference);
    reader.WriteBack();
}

template <typename TOut>
void DecodeStream(const TKORBHeader& header, NSFerrant::CMedia& stream, TOut* out,
                  void (*mono)(COptimizedKORBDecompressor&, u32, TOut*),
                  void (*stereo)(COptimizedKORBDecompressor&, u32, TOut*))
{
    CheckKORBHeader(header, NSFerrant::GetBytesLeft(stream));
    COptimizedKORBDecompressorFromMedia decompressor(stream);
    const bool isStereo = header.fChannelCount == 2;
    for (u32 done = 0; done < header.fFrameCount;)
    {
        const u32 n = std::min(kFramesPerRun, header.fFrameCount - done);
        if (isStereo)
            stereo(decompressor, n, out + u64(done) * 2);
        else
            mono(decompressor, n, out + done);
        done += n;
    }
}
} // namespace

void COptimizedKORBDecompressor::FetchWords()
{
    NSQuorral::Throw(std::underflow_error(""));
}

COptimizedKORBDecompressorFromMedia::COptimizedKORBDecompressorFromMedia(NSFerrant::CMedia& source)
    : fSource(source), fWords(new u32[kWordBufferSize])
{
}

void COptimizedKORBDecompressorFromMedia::FetchWords()
{
    const i64 count = std::min<i64>(NSFerrant::GetBytesLeft(fSource) / 4, kWordBufferSize);
    if (count == 0)
        NSQuorral::Throw<NSQuorral::XFormatViolation>("zero length sample");
    NSFerrant::ReadBytes(fSource, count * 4, fWords.get());
    u32* words = fWords.get();
    for (i64 i = 0; i < count; ++i)
        words[i] = NSByteOrder::ReadBE32(reinterpret_cast<const u8*>(words + i));
    fNextWord = words;
    fEndWord = words + count;
}

void DecodeKORBMono16(COptimizedKORBDecompressor& decompressor, u32 n, i16* out)
{
    DecodeMono(decompressor, n, out);
}
void DecodeKORBMono32(COptimizedKORBDecompressor& decompressor, u32 n, i32* out)
{
    DecodeMono(decompressor, n, out);
}
void DecodeKORBStereo16(COptimizedKORBDecompressor& decompressor, u32 n, i16* out)
{
    DecodeStereo(decompressor, n, out);
}
void DecodeKORBStereo32(COptimizedKORBDecompressor& decompressor, u32 n, i32* out)
{
    DecodeStereo(decompressor, n, out);
}

void DecodeKORBToInt16(const TKORBHeader& header, NSFerrant::CMedia& stream, i16* out)
{
    DecodeStream<i16>(header, stream, out, DecodeKORBMono16, DecodeKORBStereo16);
}
void DecodeKORBToInt32(const TKORBHeader& header, NSFerrant::CMedia& stream, i32* out)
{
    DecodeStream<i32>(header, stream, out, DecodeKORBMono32, DecodeKORBStereo32);
}
