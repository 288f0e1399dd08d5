#pragma once
// The processor registry: binds each file type the packer accepts to the verifier and the packer
// of its source files, and each packed type to the verifier of packed data of that type. Built
// once, on the first lookup, and never changed; one thread only.
#include "content/vfs/VirtualFileItem.h"
#include "filelib/FileTypeDescriptors.h"
#include "packing/FileTypeProcessors.h"

namespace NSVantlePacking
{
// Creates the processors and registers the 40 file types in table order. A second call changes
// nothing.
void BuildProcessorRegistry();

// Registers one file type; an entry of a map that exists already (the same type code, the same
// packed type) is kept.
void RegisterFileType(NSFileLibSupport::SFileTypeDescriptor type, IFileTypeVerifier* verifier,
                      IFileTypePacker* packer, IFileTypeVerifier* packedDataVerifier);

// The processor of the first registered type, in ascending type codes, that the item is of; null
// when none is. The pointers stay valid for the rest of the process.
IFileTypeVerifier* FindVerifier(const CItemPtr& item);
IFileTypePacker* FindPacker(const CItemPtr& item);
// The verifier of packed data of that type; null for a type no packer writes.
IFileTypeVerifier* FindPackedDataVerifier(u32 packedType);
} // namespace NSVantlePacking
