#pragma once
// The two interfaces of a file-type processor: a verifier reads a file, checks it and reports the
// sample references it holds and the prohibited devices it uses; a packer writes the file's packed
// form into the package data and names the packed type the index stores for it.
#include "base/UTF16String.h"
#include "content/references/ReferenceResolution.h"
#include "content/vfs/VirtualFileItem.h"

#include <vector>

namespace NSFerrant
{
class CMedia;
}

using TDeviceNameList = std::vector<NSTextPackage::TUTF16String>;

class IFileTypeVerifier
{
public:
    virtual ~IFileTypeVerifier() = default;

    // Checks the file whose bytes the media holds (a source file's content, or a packed entry's
    // data) and reports failure only by exception. A verifier only appends: resolved takes the
    // references the resolver finds in the package, unresolvable those it does not find or that
    // are skipped (a skipped one also sets skippedTarget), inOtherPackage those into another
    // package, and usedProhibited each name of prohibited that the file uses (possibly more than
    // once). A processor of files without references or devices leaves the lists alone.
    virtual void Verify(NSFerrant::CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                        TReferenceList& resolved, TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                        TDeviceNameList& usedProhibited, bool& skippedTarget) = 0;
};

class IFileTypePacker
{
public:
    virtual ~IFileTypePacker() = default;

    // The packed type code (EPackedFileType) of what Pack writes.
    virtual u32 GetPackedType() const = 0;
    // Writes the packed form of the source file at the destination's position and leaves the
    // position right after it; nothing else is written. The relocator rewrites each sample
    // reference of the source to its place in the package.
    virtual void Pack(const CItemPtr& source, IReferenceRelocator& relocator, NSFerrant::CMedia& destination) = 0;
};
