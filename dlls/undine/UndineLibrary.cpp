// The library object behind Undine_Create.
#include "dlls/undine/Undine.h"
#include "dlls/undine/WAVEFile.h"

extern "C" IUndine* Undine_Create(const char* interfaceName, u32* status)
{
    using CUndine = NSAudioCodec::CPCMLibrary<IUndine, NSUndine::TChunkLocation, NSUndineLibrary::ReadWAVEFile>;
    return NSAudioCodec::CreateLibrary<CUndine>(interfaceName, "IUndine", status);
}
