#include "packing/TemporaryFiles.h"

#include "media/IFFChunk.h"

namespace NSVantlePacking
{
const NSFileLibSupport::SFileTypeDescriptor& GetTemporaryFileType()
{
    static const NSFileLibSupport::SFileTypeDescriptor type = NSFileLibSupport::MakeFileTypeDescriptor(".tmp", 0);
    return type;
}

std::unique_ptr<NSFileLibSupport::COpenTemporaryFile> MakeTemporaryContainerFile()
{
    static const NSFileLibSupport::SFileTypeDescriptor type =
        NSFileLibSupport::MakeFileTypeDescriptor(".dicta", NSFerrant::MakeFourCC("=Dic"));
    return std::make_unique<NSFileLibSupport::COpenTemporaryFile>(type);
}
} // namespace NSVantlePacking
