#pragma once
// The processors of the files stored byte for byte (CopyFileToMedia): raw data, sliced loops,
// JPEG images, MIDI files, SoundFont banks and Shufflo groove patches. They differ only in how a
// file is verified; the same check serves the source and the packed entry, which is an exact copy.
// None of them holds sample references.
#include "packing/FileTypeProcessors.h"

// A packer with its packed type that packs by copying the file.
class CABCCopiedFileProcessor : public IFileTypePacker, public IFileTypeVerifier
{
public:
    explicit CABCCopiedFileProcessor(u32 packedType) : fPackedType(packedType) {}

    u32 GetPackedType() const override { return fPackedType; }
    void Pack(const CItemPtr& source, IReferenceRelocator& relocator, NSFerrant::CMedia& destination) override;

private:
    u32 fPackedType;
};

// Any readable file: ReadProbe.
class CRawFileTypeProcessor final : public CABCCopiedFileProcessor
{
public:
    using CABCCopiedFileProcessor::CABCCopiedFileProcessor;
    void Verify(NSFerrant::CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                TReferenceList& resolved, TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                TDeviceNameList& usedProhibited, bool& skippedTarget) override;
};

// A loop file that the loop library reads and that has at least one slice.
class CKIVFileTypeProcessor final : public CABCCopiedFileProcessor
{
public:
    using CABCCopiedFileProcessor::CABCCopiedFileProcessor;
    void Verify(NSFerrant::CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                TReferenceList& resolved, TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                TDeviceNameList& usedProhibited, bool& skippedTarget) override;
};

// An image the JPEG codec decodes completely.
class CJPEGFileTypeProcessor final : public CABCCopiedFileProcessor
{
public:
    CJPEGFileTypeProcessor();
    void Verify(NSFerrant::CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                TReferenceList& resolved, TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                TDeviceNameList& usedProhibited, bool& skippedTarget) override;
};

// VerifyMidiFile.
class CMIDIFileTypeProcessor final : public CABCCopiedFileProcessor
{
public:
    CMIDIFileTypeProcessor();
    void Verify(NSFerrant::CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                TReferenceList& resolved, TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                TDeviceNameList& usedProhibited, bool& skippedTarget) override;
};

// A bank the strict SoundFont reader accepts (its sample words are never loaded). Every bank is
// played by the sampler device, which is noted when prohibited.
class CSoundFontFileTypeProcessor final : public CABCCopiedFileProcessor
{
public:
    CSoundFontFileTypeProcessor();
    void Verify(NSFerrant::CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                TReferenceList& resolved, TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                TDeviceNameList& usedProhibited, bool& skippedTarget) override;
};

// A non-empty file that parses as one XML document.
class CGroovePatchFileTypeProcessor final : public CABCCopiedFileProcessor
{
public:
    CGroovePatchFileTypeProcessor();
    void Verify(NSFerrant::CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                TReferenceList& resolved, TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                TDeviceNameList& usedProhibited, bool& skippedTarget) override;
};

namespace NSVantlePacking
{
// The device that plays every SoundFont bank.
extern const NSTextPackage::TUTF16String kSamplerDeviceName; // "Ostrel Digital Sampler"

// The Standard MIDI File header rules (all XFormatViolation): at least 14 bytes, "MThd", a format
// of at most 2, at least one track, and a division that is either positive with non-zero ticks or
// a time code of 24, 25, 29 or 30 frames with non-zero ticks per frame; then the MIDI reader's own
// reading of the header.
void VerifyMidiFile(NSFerrant::CMedia& media);
} // namespace NSVantlePacking
