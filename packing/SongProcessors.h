#pragma once
// The processors of songs: plain host songs (".tns", a "CAT " "TS10" holding one "CAT " "REFS"
// reference group and optionally a "CAT " "DEVL" device list) and published songs (".tps", a
// "FORM" "TNPS" or "TPS2" whose "BODY" chunk holds a plain host song, unchanged or zlib-compressed).
#include "packing/FileTypeProcessors.h"

class CTNSFileTypeProcessor final : public IFileTypePacker, public IFileTypeVerifier
{
public:
    u32 GetPackedType() const override;
    // PackSongFile in memory, then copied to the destination.
    void Pack(const CItemPtr& source, IReferenceRelocator& relocator, NSFerrant::CMedia& destination) override;
    // VerifySongFile.
    void Verify(NSFerrant::CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                TReferenceList& resolved, TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                TDeviceNameList& usedProhibited, bool& skippedTarget) override;
};

class CPublishedSongFileTypeProcessor final : public IFileTypePacker, public IFileTypeVerifier
{
public:
    u32 GetPackedType() const override;
    // PackPublishedSong in memory, then copied to the destination.
    void Pack(const CItemPtr& source, IReferenceRelocator& relocator, NSFerrant::CMedia& destination) override;
    // VerifyPublishedSong.
    void Verify(NSFerrant::CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                TReferenceList& resolved, TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                TDeviceNameList& usedProhibited, bool& skippedTarget) override;
};

namespace NSVantlePacking
{
// The song of the media from its start: its "CAT " "TS10" (missing: XFormatViolation), its one
// reference group filed by the resolver, the prohibited devices of its device list.
void VerifySongFile(NSFerrant::CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                    TReferenceList& resolved, TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                    TDeviceNameList& usedProhibited, bool& skippedTarget);

// Writes the song of the source item at the destination's end with its references relocated and
// every other member unchanged.
void PackSongFile(const CItemPtr& source, IReferenceRelocator& relocator, NSFerrant::CMedia& destination);

// The inner song of a published song (its "FORM" "TNPS" when it starts with one, else its "FORM"
// "TPS2"; missing, or without "BODY": XFormatViolation) checked with VerifySongFile.
void VerifyPublishedSong(NSFerrant::CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                         TReferenceList& resolved, TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                         TDeviceNameList& usedProhibited, bool& skippedTarget);

// Writes the published song of the source item at the destination's end: a "FORM" of the same type
// whose members are copied unchanged, except the "BODY", whose inner song gets its references
// relocated (and is compressed again at level 9 in a "TPS2"). A "FORM" of fewer than 8 data bytes
// gives an empty one.
void PackPublishedSong(const CItemPtr& source, IReferenceRelocator& relocator, NSFerrant::CMedia& destination);
} // namespace NSVantlePacking
