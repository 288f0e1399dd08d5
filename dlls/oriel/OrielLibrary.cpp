// The library object behind Oriel_Create.
#include "base/LibraryStatusTables.h"
#include "dlls/imagecodec/ImageCodecLibrary.h"
#include "dlls/oriel/Oriel.h"
#include "dlls/oriel/PNGHeader.h"

#include <wincodec.h>

namespace
{
struct TPNGFormat
{
    static constexpr NSImageCodec::TStatusBridge kBridge{kOrielOK, ThrowOrielFailure, OrielStatusFromCurrentException};
    static const char* InterfaceName() { return "IOriel"; }
    static NSImageCodec::TImageHeader ReadHeader(const std::vector<u8>& file)
    {
        return NSOrielLibrary::ReadPNGHeader(file);
    }
    static const CLSID& DecoderClass() { return CLSID_WICPngDecoder; }
};
} // namespace

extern "C" IOriel* Oriel_Create(const char* interfaceName, u32* status)
{
    return NSImageCodec::CreateImageCodecLibrary<IOriel, TPNGFormat>(interfaceName, status);
}
