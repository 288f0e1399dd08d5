#pragma once
// Undine, our WAVE codec library, as its users see it: the factory export and the interface, laid
// out by slot. It reads WAVE files of integer PCM (format 1, and WAVE_FORMAT_EXTENSIBLE with
// the PCM sub-format) in containers of 1 to 4 bytes.
#include "dlls/audiocodec/AudioCodec.h"

namespace NSUndine
{
using NSAudioCodec::IByteReader;
using NSAudioCodec::ISampleReader;
using NSAudioCodec::TFormatInfo;

// Where the file's tempo map lies: the data of its first "QMTp" chunk.
struct TChunkLocation
{
    u32 fPosition;
    u32 fSize; // 0 when the file has none
};
static_assert(sizeof(TChunkLocation) == 8);
} // namespace NSUndine

class IUndine
{
public:
    // Slot 0: destroys the interface.
    virtual u32 Release() = 0;
    // Slot 1: the library reports nothing to a debugger; null detaches one.
    virtual u32 SetDebugger(void* debugger) = 0;
    // Slot 2: reads the format and the tempo-map location of the WAVE file the byte reader gives
    // (sourceSize bytes) and answers a sample reader over its frames, or null with a failure
    // status. The byte reader must outlive the sample reader.
    virtual NSUndine::ISampleReader* OpenSampleReader(NSUndine::IByteReader* reader, i64 sourceSize,
                                                      NSUndine::TFormatInfo* format,
                                                      NSUndine::TChunkLocation* tempoMap, u32* status) = 0;

protected:
    ~IUndine() = default;
};

// Makes the interface named "IUndine"; the status is kAudioCodecOK with it, kAudioCodecUnsupported for
// another name.
extern "C" IUndine* Undine_Create(const char* interfaceName, u32* status);
