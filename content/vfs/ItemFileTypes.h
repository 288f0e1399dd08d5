#pragma once
// The file types by which items are told apart: the kinds of file the item database gives their
// own item classes, and the sample-like kinds.
#include "content/vfs/VirtualFileItem.h"

namespace NSVirtualFS
{
// ".vtl".
const NSFileLibSupport::SFileTypeDescriptor& GetVantleFileType();
// ".sf2".
const NSFileLibSupport::SFileTypeDescriptor& GetSoundFontBankFileType();
// The loop file (".kiv"), its second version (".kv2;.kiv2") and the loop-slicing product's
// documents (".cpw").
const std::vector<NSFileLibSupport::SFileTypeDescriptor>& GetLoopFileTypes();
// WAVE, AIFF, the sample codec's files, the compressed-audio kinds, a SoundFont sample (".sf2s")
// and a slice of a loop file (".kivs"), in this order.
const std::vector<NSFileLibSupport::SFileTypeDescriptor>& GetSampleLikeFileTypes();
} // namespace NSVirtualFS

// Whether the item is of one of the sample-like types, each as the item's class judges it.
bool IsSampleFile(const CItemPtr& item);
// The name the system's file associations give the type of a file of that name (by its last
// extension); empty for a name without an extension. Never throws: without an association the
// extension itself is the name.
NSTextPackage::TUTF16String GetFriendlyTypeName(const NSTextPackage::TUTF16String& name);
// The extension GetFriendlyTypeName names a file's type by: names of one such extension have one
// type name. Empty when there is none, and then so is the type name.
NSTextPackage::TUTF16String GetTypeNameExtension(const NSTextPackage::TUTF16String& name);
