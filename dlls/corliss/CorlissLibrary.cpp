// The library object behind Corliss_Create.
#include "dlls/corliss/AIFFFile.h"
#include "dlls/corliss/Corliss.h"

extern "C" ICorliss* Corliss_Create(const char* interfaceName, u32* status)
{
    using CCorliss = NSAudioCodec::CPCMLibrary<ICorliss, NSCorliss::TChunkLocation, NSCorlissLibrary::ReadAIFFFile>;
    return NSAudioCodec::CreateLibrary<CCorliss>(interfaceName, "ICorliss", status);
}
