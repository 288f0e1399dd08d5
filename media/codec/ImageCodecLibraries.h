#pragma once
// The program's image codecs over our PNG (Oriel) and JPEG (Glisk) libraries: each hands its
// library a byte reader over the rest of a media and a pixel writer onto a scan-line writer.
// Each library interface is made on the first decode and released when the program ends.
#include "media/codec/ImageLib.h"

namespace NSFerrant
{
class COriel final : public CImageLib
{
public:
    // Throws the PNG library's failure status (base/LibraryStatusTables.h).
    void Decode(CMedia& source, CABCScanLineWriter& writer) override;
};

class CGlisk final : public CImageLib
{
public:
    // Throws the JPEG library's failure status (base/LibraryStatusTables.h).
    void Decode(CMedia& source, CABCScanLineWriter& writer) override;
};

// The program-wide instances.
COriel& GetOriel();
CGlisk& GetGlisk();
} // namespace NSFerrant
