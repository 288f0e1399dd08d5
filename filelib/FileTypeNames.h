#pragma once
// The names Windows shows for kinds of files, folders and drives. None of these throws: a name
// the platform cannot give falls back as each function says.
#include "filelib/FileLib.h"
#include "filelib/FileTypeDescriptors.h"

namespace NSFileLibSupport
{
// The shell's type name of the file, else its extension (with its "."), else empty.
TUTF16String GetFileTypeName(NSFileLib::IFileSpec* file);
// The association's friendly name of the kind's first extension, else that extension.
TUTF16String GetFileTypeFriendlyName(const SFileTypeDescriptor& type);
// The shell's type name of the folder or drive, else empty.
TUTF16String GetDirTypeName(NSFileLib::IDirSpec* folder);
TUTF16String GetVolumeTypeName(NSFileLib::IVolumeSpec* volume);
} // namespace NSFileLibSupport
