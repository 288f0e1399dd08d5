#pragma once
// The processors of AIFF and WAVE samples, which are packed coded with the lossless KORB sample
// codec (packed type 11), and the verifier of such packed samples.
#include "packing/FileTypeProcessors.h"

namespace NSFerrant
{
struct TSampleInfo;
}

// A source sample verifies when its library reads its format and it has one or two channels;
// no sample data is decoded. Only the media is used.
class CSampleFileVerifier : public IFileTypeVerifier
{
public:
    void Verify(NSFerrant::CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                TReferenceList& resolved, TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                TDeviceNameList& usedProhibited, bool& skippedTarget) final;
    // Verifies a source already opened from its item; it touches no item and no state shared
    // with other verifications, so it may run on any thread.
    void VerifyOpened(NSFerrant::CMedia& media) const;

protected:
    using TInfoReader = void (*)(NSFerrant::CMedia& source, NSFerrant::TSampleInfo& info);
    explicit CSampleFileVerifier(TInfoReader readInfo) : fReadInfo(readInfo) {}

private:
    TInfoReader fReadInfo;
};

class CAIFFFileVerifier final : public CSampleFileVerifier
{
public:
    CAIFFFileVerifier();
};

class CWAVEFileVerifier final : public CSampleFileVerifier
{
public:
    CWAVEFileVerifier();
};

// Writes the complete KORB stream of the source sample (the relocator is not used). The source
// is read and the destination written through buffers, so neither sees small calls.
class CSampleFileTypePacker : public IFileTypePacker
{
public:
    u32 GetPackedType() const override;
    void Pack(const CItemPtr& source, IReferenceRelocator& relocator, NSFerrant::CMedia& destination) final;
    // Packs a source already opened from its item; it touches no item and no state shared with
    // other packings, so it may run on any thread.
    void PackOpened(NSFerrant::CMedia& source, NSFerrant::CMedia& destination) const;

protected:
    using TEncoder = void (*)(NSFerrant::CMedia& source, NSFerrant::CMedia& destination);
    explicit CSampleFileTypePacker(TEncoder encode) : fEncode(encode) {}

private:
    TEncoder fEncode;
};

class CAIFFFileTypePacker final : public CSampleFileTypePacker
{
public:
    CAIFFFileTypePacker();
};

class CWAVEFileTypePacker final : public CSampleFileTypePacker
{
public:
    CWAVEFileTypePacker();
};

// A packed sample verifies when it decodes completely (DecodeKORBSample), read through a buffer
// since its header, code words and trailer come in separate reads. Only the media is used.
class CKORBPackedFileVerifier final : public IFileTypeVerifier
{
public:
    void Verify(NSFerrant::CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                TReferenceList& resolved, TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                TDeviceNameList& usedProhibited, bool& skippedTarget) override;
};

// What the packed-sample verifier checks, for a caller that has only the packed bytes; like
// PackOpened, it may run on any thread.
void VerifyPackedSample(NSFerrant::CMedia& media);
