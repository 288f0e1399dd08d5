// The library object behind Glisk_Create.
#include "base/LibraryStatusTables.h"
#include "dlls/glisk/Glisk.h"
#include "dlls/glisk/JPEGHeader.h"
#include "dlls/imagecodec/ImageCodecLibrary.h"

#include <wincodec.h>

namespace
{
struct TJPEGFormat
{
    static constexpr NSImageCodec::TStatusBridge kBridge{kGliskOK, ThrowGliskFailure, GliskStatusFromCurrentException};
    static const char* InterfaceName() { return "IGlisk"; }
    static NSImageCodec::TImageHeader ReadHeader(const std::vector<u8>& file)
    {
        return NSGliskLibrary::ReadJPEGHeader(file);
    }
    static const CLSID& DecoderClass() { return CLSID_WICJpegDecoder; }
};
} // namespace

extern "C" IGlisk* Glisk_Create(const char* interfaceName, u32* status)
{
    return NSImageCodec::CreateImageCodecLibrary<IGlisk, TJPEGFormat>(interfaceName, status);
}
