#pragma once
// Glisk, our JPEG codec library, as its users see it: the factory export and the interface, laid
// out by slot. Success is kGliskOK; the other statuses are those of the JPEG status table
// (base/LibraryStatusTables.h).
#include "dlls/imagecodec/ImageCodec.h"

namespace NSGlisk
{
using NSImageCodec::IByteReader;
using NSImageCodec::IPixelWriter;
} // namespace NSGlisk

class IGlisk
{
public:
    // Slot 0: destroys the interface.
    virtual u32 Release() = 0;
    // Slot 1: decodes the JPEG image of byteCount bytes that the reader gives into the writer, as
    // RGB rows. Junk, a damaged or cut-short file and an image beyond the size limits fail with a
    // status.
    virtual u32 Decode(NSGlisk::IByteReader* reader, i64 byteCount, NSGlisk::IPixelWriter* writer) = 0;

protected:
    ~IGlisk() = default;
};

// Makes the interface named "IGlisk"; the caller presets the status to kGliskOK.
extern "C" IGlisk* Glisk_Create(const char* interfaceName, u32* status);
