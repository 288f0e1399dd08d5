#include "packing/SongProcessors.h"

#include "content/package/PackedFileTypes.h"
#include "content/references/HostDocumentChunks.h"
#include "content/references/PublishedSong.h"
#include "content/references/ReferenceChunks.h"
#include "filelib/FileMedia.h"
#include "media/BufferedMedia.h"
#include "media/IFFFileReader.h"
#include "media/IFFFileWriter.h"
#include "media/MediaCompression.h"
#include "packing/PatchProcessors.h"
#include "packing/ProcessorSupport.h"
#include "packing/TemporaryFiles.h"

using NSFerrant::CIFFFileReader;
using NSFerrant::CIFFFileWriter;
using NSFerrant::CMedia;

namespace
{
// The largest inner song a "TPS2" may inflate to: a song's top group has a 32-bit size.
constexpr u64 kLargestInnerSong = 0xFFFFFFFFull + 8;

// A temporary file written and read through one buffer.
class CBufferedTemporaryFile
{
public:
    CBufferedTemporaryFile() : fFile(NSVantlePacking::GetTemporaryFileType()), fMedia(fFile) {}
    CMedia& Media() { return fMedia; }

private:
    NSFileLibSupport::COpenTemporaryFile fFile;
    NSFerrant::CBufferedMedia fMedia; // over fFile: declared after it, so flushed before it closes
};

// Enters the top-level "FORM" of a published song: "TNPS" when the media starts with one, else
// "TPS2". Answers whether the inner song is compressed.
bool EnterPublishedSongFORM(CIFFFileReader& reader, CMedia& source)
{
    source.fPosition = 0;
    const bool compressed = !IsPublishedSongMedia(source);
    reader.RequireFORM(compressed ? kFourCC_TPS2 : kFourCC_TNPS);
    return compressed;
}

// Writes the inner song held in the "BODY" data from its start into the song file's position.
void ExtractInnerSong(CMedia& body, bool compressed, CMedia& song)
{
    body.fPosition = 0;
    if (compressed)
        NSFerrant::DecompressMedia(body, song, kLargestInnerSong);
    else
        NSVantlePacking::CopyRestOfMedia(body, song);
    song.fPosition = 0;
}

// The "BODY" the reader has entered, written anew into the writer's level.
void RewriteEnteredBody(const CItemPtr& source, IReferenceRelocator& relocator, CIFFFileReader& reader,
                        CIFFFileWriter& writer,
                        bool compressed)
{
    CBufferedTemporaryFile innerSong;
    ExtractInnerSong(reader.GetCurrentReader().GetMedia(), compressed, innerSong.Media());
    CBufferedTemporaryFile rewritten;
    {
        CIFFFileReader songReader(innerSong.Media());
        songReader.EnterSongCAT();
        CIFFFileWriter songWriter(rewritten.Media());
        songWriter.BeginCAT(NSFerrant::kFourCC_SongCAT);
        RewriteReferences(source, relocator, songReader, songWriter);
        songWriter.EndLevel();
    }
    writer.BeginChunk(NSFerrant::kFourCC_BODY);
    CMedia& body = writer.GetCurrentWriter().GetMedia();
    rewritten.Media().fPosition = 0;
    if (compressed)
        NSFerrant::CompressMedia(rewritten.Media(), body, 9);
    else
        NSVantlePacking::CopyRestOfMedia(rewritten.Media(), body);
    writer.EndLevel();
}
} // namespace

namespace NSVantlePacking
{
void VerifySongFile(CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                    TReferenceList& resolved, TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                    TDeviceNameList& usedProhibited, bool& skippedTarget)
{
    NSFerrant::CBufferedMedia source(media);
    source.fPosition = 0;
    CIFFFileReader reader(source);
    reader.EnterSongCAT();
    FindReferenceChunk(reader, resolver, resolved, unresolvable, inOtherPackage, skippedTarget);
    CollectDevicesFromDEVL(reader, prohibited, usedProhibited);
    reader.LeaveLevel();
}

void PackSongFile(const CItemPtr& source, IReferenceRelocator& relocator, CMedia& destination)
{
    const std::shared_ptr<CMedia> media = OpenSourceMedia(source);
    NSFerrant::CBufferedMedia buffered(*media);
    CIFFFileReader reader(buffered);
    reader.EnterSongCAT();
    CIFFFileWriter writer(destination);
    writer.BeginCAT(NSFerrant::kFourCC_SongCAT);
    RewriteReferences(source, relocator, reader, writer);
    writer.EndLevel();
    reader.LeaveLevel();
}

void VerifyPublishedSong(CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                         TReferenceList& resolved, TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                         TDeviceNameList& usedProhibited, bool& skippedTarget)
{
    NSFerrant::CBufferedMedia source(media);
    CIFFFileReader reader(source);
    const bool compressed = EnterPublishedSongFORM(reader, source);
    reader.EnterBODYChunk();
    CBufferedTemporaryFile innerSong;
    ExtractInnerSong(reader.GetCurrentReader().GetMedia(), compressed, innerSong.Media());
    VerifySongFile(innerSong.Media(), prohibited, resolver, resolved, unresolvable, inOtherPackage, usedProhibited,
                   skippedTarget);
}

void PackPublishedSong(const CItemPtr& source, IReferenceRelocator& relocator, CMedia& destination)
{
    const std::shared_ptr<CMedia> media = OpenSourceMedia(source);
    NSFerrant::CBufferedMedia buffered(*media);
    CIFFFileReader reader(buffered);
    const bool compressed = EnterPublishedSongFORM(reader, buffered);
    CIFFFileWriter writer(destination);
    writer.BeginFORM(reader.GetCurrentChunk().fFourCC);
    if (reader.EnterFirstChunk())
    {
        do
        {
            const NSFerrant::TIFFChunk& member = reader.GetCurrentChunk();
            if (member.fKind == NSFerrant::kChunkKindPlain && member.fFourCC == NSFerrant::kFourCC_BODY)
                RewriteEnteredBody(source, relocator, reader, writer, compressed);
            else
                CopyEnteredChunk(reader, writer);
        } while (reader.EnterNextChunk());
    }
    writer.EndLevel();
    reader.LeaveLevel();
}
} // namespace NSVantlePacking

u32 CTNSFileTypeProcessor::GetPackedType() const
{
    return kPackedTypeSong;
}

void CTNSFileTypeProcessor::Pack(const CItemPtr& source, IReferenceRelocator& relocator, CMedia& destination)
{
    NSVantlePacking::WriteThroughMemory(NSVantlePacking::GetMemoryReserve(source), destination, [&](CMedia& memory)
                                        { NSVantlePacking::PackSongFile(source, relocator, memory); });
}

void CTNSFileTypeProcessor::Verify(CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                                   TReferenceList& resolved, TReferenceList& unresolvable,
                                   TReferenceList& inOtherPackage, TDeviceNameList& usedProhibited,
                                   bool& skippedTarget)
{
    NSVantlePacking::VerifySongFile(media, prohibited, resolver, resolved, unresolvable, inOtherPackage,
                                    usedProhibited, skippedTarget);
}

u32 CPublishedSongFileTypeProcessor::GetPackedType() const
{
    return kPackedTypePublishedSong;
}

void CPublishedSongFileTypeProcessor::Pack(const CItemPtr& source, IReferenceRelocator& relocator,
                                           CMedia& destination)
{
    NSVantlePacking::WriteThroughMemory(NSVantlePacking::GetMemoryReserve(source), destination, [&](CMedia& memory)
                                        { NSVantlePacking::PackPublishedSong(source, relocator, memory); });
}

void CPublishedSongFileTypeProcessor::Verify(CMedia& media, const TDeviceNameList& prohibited,
                                             IReferenceResolver& resolver, TReferenceList& resolved,
                                             TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                                             TDeviceNameList& usedProhibited, bool& skippedTarget)
{
    NSVantlePacking::VerifyPublishedSong(media, prohibited, resolver, resolved, unresolvable, inOtherPackage,
                                         usedProhibited, skippedTarget);
}
