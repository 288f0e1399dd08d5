#pragma once
// The processor of Gramola device patches: UTF-8 XML documents with the root "GramolaPatch", whose
// first 1,024 bytes carry the device's product identifier and whose "Samples" element holds one
// "SampleReference" element per sample reference.
#include "packing/FileTypeProcessors.h"

#include <string>

class CGramolaDevicePatchProcessor final : public IFileTypePacker, public IFileTypeVerifier
{
public:
    explicit CGramolaDevicePatchProcessor(u32 packedType) : fPackedType(packedType) {}

    u32 GetPackedType() const override { return fPackedType; }
    // The document rewritten by PackDevicePatchXml in memory, then copied to the destination.
    void Pack(const CItemPtr& source, IReferenceRelocator& relocator, NSFerrant::CMedia& destination) override;
    // An empty file is XFormatViolation "missing device identifier in Gramola patch". The device
    // identifier is noted when prohibited; the document is read (as the packer reads it) and each
    // of its sample references filed by the resolver.
    void Verify(NSFerrant::CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                TReferenceList& resolved, TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                TDeviceNameList& usedProhibited, bool& skippedTarget) override;

private:
    u32 fPackedType;
};

namespace NSVantlePacking
{
// The bytes searched for the device identifier.
constexpr i64 kGramolaDeviceIdSearchSize = 1024;

// The text between the first two double quotes after the first "deviceProductID" of the bytes,
// decoded from UTF-8; empty when the word or a quote is missing.
NSTextPackage::TUTF16String FindGramolaDeviceId(const std::string& bytes);

// Writes the source document at the destination's position with every "SampleReference" child of
// its "Samples" element relocated in place: the whole document written anew ("<?xml
// version="1.0"?>", CR LF, four blanks of indent per level). Failures of the patch reader pass.
void PackDevicePatchXml(const CItemPtr& source, IReferenceRelocator& relocator, NSFerrant::CMedia& destination);
} // namespace NSVantlePacking
