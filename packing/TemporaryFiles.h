#pragma once
// The temporary files of the pack phases and the song processors.
#include "filelib/FileMedia.h"
#include "filelib/FileTypeDescriptors.h"

#include <memory>

namespace NSVantlePacking
{
// ".tmp", type code 0; not a registered file type.
const NSFileLibSupport::SFileTypeDescriptor& GetTemporaryFileType();

// A new, empty temporary file (ending in ".dicta") for a container to be built in, open and the
// caller's own until it is destroyed, which deletes it. File-library failures are thrown.
std::unique_ptr<NSFileLibSupport::COpenTemporaryFile> MakeTemporaryContainerFile();
} // namespace NSVantlePacking
