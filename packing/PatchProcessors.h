#pragma once
// The processors of the host's binary device patches: an IFF "FORM" (of type "PTCH", or "TPDP"
// for the drum-channel patch) holding one "CAT " "REFS" group of sample references, optionally a
// "DESC" patch description naming the patch's device, and optionally a "CAT " "DEVL" device list.
#include "media/IFFChunk.h"
#include "packing/FileTypeProcessors.h"

namespace NSFerrant
{
class CIFFFileReader;
}

constexpr NSFerrant::TFourCC kFourCC_PTCH = NSFerrant::MakeFourCC("PTCH");
constexpr NSFerrant::TFourCC kFourCC_TPDP = NSFerrant::MakeFourCC("TPDP");

class CPatchFileTypeProcessor final : public IFileTypePacker, public IFileTypeVerifier
{
public:
    CPatchFileTypeProcessor(u32 packedType, NSFerrant::TFourCC formType)
        : fPackedType(packedType), fFormType(formType)
    {
    }

    u32 GetPackedType() const override { return fPackedType; }
    // The patch rewritten in memory by PackPatch, then copied to the destination.
    void Pack(const CItemPtr& source, IReferenceRelocator& relocator, NSFerrant::CMedia& destination) override;
    // VerifyPatch with the instance's form type.
    void Verify(NSFerrant::CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                TReferenceList& resolved, TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                TDeviceNameList& usedProhibited, bool& skippedTarget) override;

private:
    u32 fPackedType;
    NSFerrant::TFourCC fFormType;
};

// The Lumen preset: a "PTCH" patch that must also hold a plain "LMNP" chunk.
class CLMNPatchFileTypeVerifier final : public IFileTypeVerifier
{
public:
    void Verify(NSFerrant::CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                TReferenceList& resolved, TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                TDeviceNameList& usedProhibited, bool& skippedTarget) override;
};

namespace NSVantlePacking
{
// The device of a drum-channel patch that has no description.
extern const NSTextPackage::TUTF16String kDrumChannelDeviceName; // "Brakka Drum Studio"

// Checks a patch: the "FORM" of formType (XFormatViolation when missing), its one reference group
// (none or two: XFormatViolation), each reference filed by the resolver; the device of its "DESC"
// (or, for "TPDP" without one, the drum-channel device) and of its device list noted when
// prohibited.
void VerifyPatch(NSFerrant::CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                 TReferenceList& resolved, TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                 TDeviceNameList& usedProhibited, bool& skippedTarget, NSFerrant::TFourCC formType);

// Writes the patch of the source item at the destination's end: every member of its "FORM" in
// order and unchanged, except that each reference is relocated; the new "FORM" gets its own size.
void PackPatch(const CItemPtr& source, IReferenceRelocator& relocator, NSFerrant::CMedia& destination,
               NSFerrant::TFourCC formType);

// Notes the prohibited devices of the "CAT " "DEVL" list of the reader's current level: the
// device description of each group member. XFormatViolation anywhere ends the scan silently with
// the names found so far kept; other failures pass. The reader is a copy: the scan moves it.
void CollectDevicesFromDEVL(NSFerrant::CIFFFileReader reader, const TDeviceNameList& prohibited,
                            TDeviceNameList& usedProhibited);

// XFormatViolation unless the media holds a top-level "FORM" "PTCH" with a plain "LMNP" chunk.
void RequireLumenPatchChunk(NSFerrant::CMedia& media);

} // namespace NSVantlePacking
