#pragma once
// Oriel, our PNG codec library, as its users see it: the factory export and the interface, laid
// out by slot. Success is kOrielOK; the other statuses are those of the PNG status table
// (base/LibraryStatusTables.h).
#include "dlls/imagecodec/ImageCodec.h"

namespace NSOriel
{
using NSImageCodec::IByteReader;
using NSImageCodec::IPixelWriter;
} // namespace NSOriel

class IOriel
{
public:
    // Slot 0: destroys the interface.
    virtual u32 Release() = 0;
    // Slot 1: decodes the PNG image of byteCount bytes that the reader gives into the writer: RGBA
    // rows when the image has an alpha channel or a transparency chunk, RGB rows otherwise.
    // Junk, a damaged or cut-short file and an image beyond the size limits fail with a status.
    virtual u32 Decode(NSOriel::IByteReader* reader, i64 byteCount, NSOriel::IPixelWriter* writer) = 0;

protected:
    ~IOriel() = default;
};

// Makes the interface named "IOriel"; the caller presets the status to kOrielOK.
extern "C" IOriel* Oriel_Create(const char* interfaceName, u32* status);
