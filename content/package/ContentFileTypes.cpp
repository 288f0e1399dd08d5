#include "content/package/ContentFileTypes.h"

#include "media/IFFChunk.h"

#include <array>

using NSFileLibSupport::SFileTypeDescriptor;

const SFileTypeDescriptor& GetContentFileType(EContentFileType type)
{
    using NSFerrant::MakeFourCC;
    using NSFileLibSupport::MakeFileTypeDescriptor;
    // In the order of EContentFileType. Single-threaded program: the lazy build takes no lock.
    static const std::array<SFileTypeDescriptor, kContentFileTypeCount> types = {
        MakeFileTypeDescriptor(".vtl", MakeFourCC("VTL ")),
        MakeFileTypeDescriptor(".krb;.korb", MakeFourCC("KoRB")),
        MakeFileTypeDescriptor(".tif;.tiff", MakeFourCC("TIFF")),
        MakeFileTypeDescriptor(".kivs", MakeFourCC("KIVs")),
        MakeFileTypeDescriptor(".sf2p", MakeFourCC("SF2p")),
        MakeFileTypeDescriptor(".sf2s", MakeFourCC("SF2s")),
    };
    return types.at(type);
}
