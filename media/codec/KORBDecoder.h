#pragma once
// The KORB decoder: the mirror of the coder in KORBEncoder.h, reading the same code words back
// into exactly the samples that were coded. Nothing in a stream is trusted: parameters that no
// valid stream produces fail with XFormatViolation, and reading stops with XFormatViolation
// "zero length sample" when the words run out.
#include "base/Types.h"
#include "media/codec/KORBModel.h"

#include <memory>

namespace NSFerrant
{
class CMedia;
}
struct TKORBHeader;

// The decoding state of one stream: the two channel states and the word reader.
class COptimizedKORBDecompressor
{
public:
    COptimizedKORBDecompressor() = default;
    virtual ~COptimizedKORBDecompressor() = default;
    COptimizedKORBDecompressor(const COptimizedKORBDecompressor&) = delete;
    COptimizedKORBDecompressor& operator=(const COptimizedKORBDecompressor&) = delete;

    // Loads more code words and points fNextWord/fEndWord at them; throws when there are none.
    // This class has no source of words beyond those set in fNextWord/fEndWord: it throws
    // std::underflow_error.
    virtual void FetchWords();

    TKORBChannelState fFirst;      // the first (or only) channel
    TKORBChannelState fDifference; // second channel minus first
    const u32* fNextWord = nullptr;
    const u32* fEndWord = nullptr;
    // The unread bits of the words taken so far, left-aligned; the bits below them are zero.
    u64 fBitBuffer = 0;
    u32 fBitsLeft = 0;
};

// Reads code words from a media, starting at its position (the first code word), in bulk.
class COptimizedKORBDecompressorFromMedia : public COptimizedKORBDecompressor
{
public:
    explicit COptimizedKORBDecompressorFromMedia(NSFerrant::CMedia& source);

    // Reads up to 16384 whole words; none left is XFormatViolation "zero length sample".
    void FetchWords() override;

private:
    static constexpr u32 kWordBufferSize = 16384;

    NSFerrant::CMedia& fSource;
    std::unique_ptr<u32[]> fWords;
};

// Decode n frames. Stereo output is interleaved, the first channel then the second per frame;
// 16-bit output keeps the low 16 bits of each sample.
void DecodeKORBMono16(COptimizedKORBDecompressor& decompressor, u32 n, i16* out);
void DecodeKORBMono32(COptimizedKORBDecompressor& decompressor, u32 n, i32* out);
void DecodeKORBStereo16(COptimizedKORBDecompressor& decompressor, u32 n, i16* out);
void DecodeKORBStereo32(COptimizedKORBDecompressor& decompressor, u32 n, i32* out);

// Decode all frames of a stream whose position is at the first code word (right after
// ReadKORBHeader). out must hold frame count times channel count values. The header is checked
// again first (CheckKORBHeader), so a header that did not come from ReadKORBHeader is as safe.
void DecodeKORBToInt16(const TKORBHeader& header, NSFerrant::CMedia& stream, i16* out);
void DecodeKORBToInt32(const TKORBHeader& header, NSFerrant::CMedia& stream, i32* out);
