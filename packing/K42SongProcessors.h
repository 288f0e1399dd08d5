#pragma once
// The processors of K42 song documents: block containers whose stream 1 holds a "FORM" "K42S"
// with a "FORM" "REMB" that holds the reference group and the device list. Demo songs are
// processed like songs under their own packed types: their references are relocated when they are
// packed, so they are reported when they are verified.
#include "base/UTF16String.h"
#include "packing/FileTypeProcessors.h"

#include <memory>

namespace NSBigFilePackage
{
class IMedia;
}

class CK42SongFileTypeProcessor final : public IFileTypePacker, public IFileTypeVerifier
{
public:
    explicit CK42SongFileTypeProcessor(u32 packedType) : fPackedType(packedType) {}

    u32 GetPackedType() const override { return fPackedType; }
    // PackK42Song.
    void Pack(const CItemPtr& source, IReferenceRelocator& relocator, NSFerrant::CMedia& destination) override;
    // VerifyK42Song.
    void Verify(NSFerrant::CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                TReferenceList& resolved, TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                TDeviceNameList& usedProhibited, bool& skippedTarget) override;

private:
    u32 fPackedType;
};

namespace NSVantlePacking
{
// Opens the media as a container (a damaged one fails there), then checks stream 1: its "FORM"
// "K42S" and the "FORM" "REMB" in it (missing: XFormatViolation), whose one reference group is
// filed by the resolver and whose device list's prohibited devices are noted.
void VerifyK42Song(NSFerrant::CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                   TReferenceList& resolved, TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                   TDeviceNameList& usedProhibited, bool& skippedTarget);

// Writes a new container at the destination's position: stream 1 with the references relocated,
// every other stream of the source copied byte for byte under its id. The container is built in a
// temporary file, which is deleted whether the pack succeeds or fails.
void PackK42Song(const CItemPtr& source, IReferenceRelocator& relocator, NSFerrant::CMedia& destination);

// Makes the container medium over the temporary container file; tests replace it to fail the
// writing of the container part-way, which a real disk does not do on demand.
using TContainerMediumMaker = std::unique_ptr<NSBigFilePackage::IMedia> (*)(NSFerrant::CMedia& file);
// Answers the maker it replaces.
TContainerMediumMaker SetContainerMediumMaker(TContainerMediumMaker maker);
} // namespace NSVantlePacking
