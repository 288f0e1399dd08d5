#include "packing/TemporaryFiles.h"

#include "filelib/FileLib.h"
#include "filelib/FileLibAccess.h"
#include "filelib/FileLibWrappers.h"
#include "base/FileLibStatus.h"
#include "base/TextConversions.h"
#include "media/IFFChunk.h"

#include <memory>

namespace NSVantlePacking
{
const NSFileLibSupport::SFileTypeDescriptor& GetTemporaryFileType()
{
    static const NSFileLibSupport::SFileTypeDescriptor type = NSFileLibSupport::MakeFileTypeDescriptor(".tmp", 0);
    return type;
}

NSFileLibSupport::CRobustFileSpec MakeTemporaryContainerSpec()
{
    NSFileLib::IFileLib* library = NSFileLibSupport::GetFileLib();
    u32 status = NSFileLib::kFileLibNotSet;
    const NSFileLibSupport::TDirSpecPtr folder(library->GetTempDirectory(&status));
    NSFileLibSupport::ThrowIfFileLibError(status);
    NSFileLib::IFileSpec* created = nullptr;
    status = NSFileLib::kFileLibNotSet;
    const NSTextPackage::TUTF16String extension = NSTextPackage::ASCIIToUTF16(".dicta", 0);
    // Only the unique name is wanted: the open file is closed at once.
    std::unique_ptr<NSFileLib::IOpenReadWriteFile>(library->CreateTemporaryFile(
        folder.get(), NSFerrant::MakeFourCC("Dctp"), NSFerrant::MakeFourCC("=Dic"), extension.c_str(), &created, &status));
    const NSFileLibSupport::TFileSpecPtr file(created);
    NSFileLibSupport::ThrowIfFileLibError(status);
    u16 name[1024 + 1] = {};
    NSFileLibSupport::ThrowIfFileLibError(file->GetName(name));
    const NSTextPackage::TUTF16String fileName(name);
    NSFileLibSupport::DeleteChildFileIfExists(folder.get(), fileName);
    return NSFileLibSupport::CRobustFileSpec(folder.get(), fileName);
}
} // namespace NSVantlePacking
