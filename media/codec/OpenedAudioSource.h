#pragma once
// A media opened through a codec library (TCorlissLibrary or TUndineLibrary of
// AudioCodecLibraries.h): its format, its tempo-map location and its frames.
#include "base/Media.h"
#include "media/codec/AudioCodecLibraries.h"
#include "media/codec/MediaByteReader.h"

namespace NSFerrant
{
struct TSampleInfo;
}

template <class TLibrary>
class COpenedAudioSource
{
public:
    // Failures of the library are thrown through its status table.
    explicit COpenedAudioSource(NSFerrant::CMedia& source) : fByteReader(&source)
    {
        u32 status = NSAudioCodec::kAudioCodecOK;
        fReader = TLibrary::Get().OpenSampleReader(&fByteReader, source.GetSize(), &fFormat, &fTempoMap, &status);
        if (status != NSAudioCodec::kAudioCodecOK)
        {
            ReleaseReader();
            ThrowIfAudioCodecFailure(status);
        }
    }
    ~COpenedAudioSource() { ReleaseReader(); }
    COpenedAudioSource(const COpenedAudioSource&) = delete;
    COpenedAudioSource& operator=(const COpenedAudioSource&) = delete;

    const NSAudioCodec::TFormatInfo& GetFormat() const { return fFormat; }
    const typename TLibrary::TChunkLocation& GetTempoMap() const { return fTempoMap; }

    // Fills buffer with frameCount frames (at most 4096) from firstFrame on: interleaved floats
    // on the 24-bit integer scale.
    void ReadFrames(u32 firstFrame, float* buffer, u32 frameCount)
    {
        if (!fReader)
            ThrowIfAudioCodecFailure(NSAudioCodec::kAudioCodecInvariantCorrupt);
        ThrowIfAudioCodecFailure(fReader->ReadFrames(firstFrame, buffer, frameCount));
    }

private:
    void ReleaseReader()
    {
        if (fReader)
            fReader->Release();
        fReader = nullptr;
    }

    NSCorlissUtils::CCMediaByteReader fByteReader; // outlives the sample reader
    NSAudioCodec::TFormatInfo fFormat{};
    typename TLibrary::TChunkLocation fTempoMap{};
    NSAudioCodec::ISampleReader* fReader = nullptr;
};

enum class EAudioFileKind
{
    kAIFF,
    kWAVE
};

// The sample information of a library's format description: channels, bits (AIFF's
// little-endian 16-bit code as 16; anything but 8, 16, 20, 22 and 24 bits XUnsupportedFormat),
// rate, frames, loop and pitch, the loop clamped to the frames.
void ConvertFormatInfo(const NSAudioCodec::TFormatInfo& format, EAudioFileKind kind, NSFerrant::TSampleInfo& info);
