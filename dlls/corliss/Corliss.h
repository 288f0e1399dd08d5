#pragma once
// Corliss, our AIFF codec library, as its users see it: the factory export and the interface,
// laid out by slot. It reads AIFF and AIFF-C files (compression types "NONE", "twos" and the
// little-endian "sowt") of 1 to 32 bits per sample.
#include "dlls/audiocodec/AudioCodec.h"

namespace NSCorliss
{
using NSAudioCodec::IByteReader;
using NSAudioCodec::ISampleReader;
using NSAudioCodec::TFormatInfo;

// Where the file's application chunk ("APPL") holds its data. A file with several reports the
// first of signature "QMTp" (the tempo map's), else the first of all.
struct TChunkLocation
{
    u32 fSignature; // four characters, the first in the most significant byte
    u32 fUnused;
    i64 fPosition;  // of the data after the signature
    u32 fSize;      // of that data; 0 when the file has no application chunk
    u32 fUnused2;
};
static_assert(sizeof(TChunkLocation) == 24);
} // namespace NSCorliss

class ICorliss
{
public:
    // Slot 0: destroys the interface.
    virtual u32 Release() = 0;
    // Slot 1: the library reports nothing to a debugger; null detaches one.
    virtual u32 SetDebugger(void* debugger) = 0;
    // Slot 2: reads the format and the tempo-map location of the AIFF file the byte reader gives
    // (sourceSize bytes) and answers a sample reader over its frames, or null with a failure
    // status. The byte reader must outlive the sample reader.
    virtual NSCorliss::ISampleReader* OpenSampleReader(NSCorliss::IByteReader* reader, i64 sourceSize,
                                                       NSCorliss::TFormatInfo* format,
                                                       NSCorliss::TChunkLocation* tempoMap, u32* status) = 0;

protected:
    ~ICorliss() = default;
};

// Makes the interface named "ICorliss"; the status is kAudioCodecOK with it, kAudioCodecUnsupported for
// another name.
extern "C" ICorliss* Corliss_Create(const char* interfaceName, u32* status);
