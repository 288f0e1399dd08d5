#pragma once
// What both codec libraries build the same way: the factory export, which makes the interface
// object when asked by its name, and the interface object itself.
#include "dlls/audiocodec/AudioCodecStatus.h"
#include "dlls/audiocodec/ByteSource.h"
#include "dlls/audiocodec/PCMSampleReader.h"

#include <cstring>

namespace NSAudioCodec
{
// 991 with a new TLibrary; 1001 (XUnsupportedFormat) for another interface name.
template <class TLibrary>
TLibrary* CreateLibrary(const char* interfaceName, const char* libraryName, u32* status)
{
    if (!status)
        return nullptr;
    return NSQuorral::FenceObject(kAudioCodecStatusMapping, status,
                                  [&]
                                  {
                                      if (!interfaceName || std::strcmp(interfaceName, libraryName) != 0)
                                          ThrowUnsupportedFormat();
                                      return new TLibrary;
                                  });
}

// A file's structure as a library reads it: its format, where its tempo map lies and where its
// frames lie (the layout has passed CheckPCMLayout).
template <class TChunkLocation>
struct TAudioFile
{
    TFormatInfo fFormat;
    TChunkLocation fTempoMap;
    TPCMLayout fLayout;
};

// The interface object of a library whose files kReadFile reads.
template <class TInterface, class TChunkLocation, TAudioFile<TChunkLocation> (*kReadFile)(const CByteSource&)>
class CPCMLibrary final : public TInterface
{
public:
    u32 Release() override
    {
        delete this;
        return kAudioCodecOK;
    }

    u32 SetDebugger(void*) override { return kAudioCodecOK; }

    ISampleReader* OpenSampleReader(IByteReader* reader, i64 sourceSize, TFormatInfo* format,
                                    TChunkLocation* tempoMap, u32* status) override
    {
        return AnswerSampleReader(status, [&] {
            if (!reader || !format || !tempoMap)
                ThrowInvalidArgument();
            const CByteSource source(*reader, sourceSize);
            const TAudioFile<TChunkLocation> file = kReadFile(source);
            auto sampleReader = std::make_unique<CPCMSampleReader>(source, file.fLayout);
            *format = file.fFormat;
            *tempoMap = file.fTempoMap;
            return sampleReader;
        });
    }
};
} // namespace NSAudioCodec
