#pragma once
// Decoding a packed (KORB) sample run by run, so that a sample of any length is checked in the
// memory of one run.
#include "media/codec/KORBDecoder.h"
#include "media/codec/KORBHeader.h"

#include <functional>
#include <memory>
#include <vector>

namespace NSFerrant
{
class CMedia;
}

namespace NSVantlePacking
{
// Frames per run: the decoder's own run length.
constexpr u32 kDecodedFramesPerRun = 4096;

// Reads the header at the stream's position when made (failures of the header reader pass), then
// decodes the code words that follow in runs of at most kDecodedFramesPerRun frames, channels
// interleaved: 16-bit samples for a 16-bit stream, 32-bit samples for a 24-bit one.
class CKORBRunDecoder
{
public:
    explicit CKORBRunDecoder(NSFerrant::CMedia& stream);
    // For a stream read while it is written, whose end is not known yet: the header is not checked
    // against the bytes after it (the caller does that with CheckKORBHeader and GetCodeStart once
    // the end is known).
    struct TEndUnknown
    {
    };
    CKORBRunDecoder(NSFerrant::CMedia& stream, TEndUnknown);

    const TKORBHeader& GetHeader() const { return fHeader; }
    // Where the code words begin in the stream.
    i64 GetCodeStart() const { return fCodeStart; }
    bool IsWide() const { return fHeader.fBitsPerSample != 16; }

    // Decodes the next run and answers its frame count; 0 once every frame is decoded.
    u32 DecodeNextRun();
    // The samples of the last run (use the one that matches IsWide).
    const i16* GetSamples16() const { return fSamples16.data(); }
    const i32* GetSamples32() const { return fSamples32.data(); }

private:
    void StartDecoding(NSFerrant::CMedia& stream);

    TKORBHeader fHeader;
    i64 fCodeStart = 0;
    std::unique_ptr<COptimizedKORBDecompressorFromMedia> fDecompressor;
    u32 fFramesDone = 0;
    std::vector<i16> fSamples16;
    std::vector<i32> fSamples32;
};

// Checks a packed sample completely: its header, every frame, and the tempo map of its trailer
// when it has one. Any failure passes unchanged.
void DecodeKORBSample(NSFerrant::CMedia& stream);
// The same check of a stream read while it is written front to back, whose size is only what is
// written until waitForEnd, called after the last frame, has waited for the writer to finish and
// answered the stream's size: the header is then checked against the bytes that follow it, as
// DecodeKORBSample checks it first, before the trailer is looked for.
void DecodeKORBSampleBehindWriter(NSFerrant::CMedia& stream, const std::function<i64()>& waitForEnd);
} // namespace NSVantlePacking
