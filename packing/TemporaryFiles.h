#pragma once
// The temporary files of the pack phases and the song processors.
#include "filelib/FileTypeDescriptors.h"
#include "filelib/RobustFileSpec.h"

namespace NSVantlePacking
{
// ".tmp", type code 0; not a registered file type.
const NSFileLibSupport::SFileTypeDescriptor& GetTemporaryFileType();

// A fresh, unused file name in the temporary folder (ending in ".dicta"), for a container that is
// created there later. File-library failures are thrown.
NSFileLibSupport::CRobustFileSpec MakeTemporaryContainerSpec();
} // namespace NSVantlePacking
