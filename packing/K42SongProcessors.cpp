#include "packing/K42SongProcessors.h"

#include "base/ExceptionClasses.h"
#include "base/Throw.h"
#include "content/references/HostDocumentChunks.h"
#include "content/references/ReferenceChunks.h"
#include "filelib/FileMedia.h"
#include "media/BufferedMedia.h"
#include "media/IFFFileReader.h"
#include "media/IFFFileWriter.h"
#include "media/bigfile/BigFile.h"
#include "media/bigfile/BigFileMediaWrapper.h"
#include "media/bigfile/BigFileStreamMedia.h"
#include "packing/PatchProcessors.h"
#include "packing/ProcessorSupport.h"
#include "packing/TemporaryFiles.h"

#include <algorithm>

using NSBigFilePackage::CBigFile;
using NSBigFileUtils::CBigFileStreamMedia;
using NSFerrant::CIFFFileReader;
using NSFerrant::CMedia;

namespace
{
constexpr u32 kSongStreamID = 1;
// Streams other than the song are copied in pieces of the container's own block size.
constexpr i64 kStreamCopyPieceSize = 256 * 1024;

std::unique_ptr<NSBigFilePackage::IMedia> MakeFileMedium(CMedia& file)
{
    return std::make_unique<NSBigFilePackage::CBigFileMediaWrapper>(file,
                                                                    NSBigFilePackage::CBigFileMediaWrapper::kReadWrite);
}

NSVantlePacking::TContainerMediumMaker gContainerMediumMaker = &MakeFileMedium;

// Builds the new container in the empty file: the rewritten song as stream 1, then a copy of every
// other stream of the source, in ascending ids.
void WriteContainer(CBigFile& sourceContainer, CMedia& rewrittenSong, CMedia& file)
{
    const std::unique_ptr<NSBigFilePackage::IMedia> medium = gContainerMediumMaker(file);
    NSBigFilePackage::CreateBigFile(*medium);
    CBigFile container(*medium);
    {
        const std::unique_ptr<NSBigFilePackage::IStream> stream = container.OpenStreamForWriting();
        CBigFileStreamMedia song(container, *stream);
        rewrittenSong.fPosition = 0;
        NSVantlePacking::CopyRestOfMedia(rewrittenSong, song);
        song.Close();
    }
    std::vector<u32> ids = sourceContainer.GetStreamIDs();
    const auto songID = std::find(ids.begin(), ids.end(), kSongStreamID);
    if (songID != ids.end())
        ids.erase(songID);
    for (const u32 id : ids)
    {
        const std::unique_ptr<NSBigFilePackage::IStream> input = sourceContainer.OpenStreamForReading(id);
        const std::unique_ptr<NSBigFilePackage::IStream> output = container.CreateStream(id);
        CBigFileStreamMedia from(sourceContainer, *input);
        CBigFileStreamMedia to(container, *output);
        NSFerrant::CopyBytes(to, from.GetSize(), from, kStreamCopyPieceSize);
        to.Close();
    }
}
} // namespace

namespace NSVantlePacking
{
void VerifyK42Song(CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                   TReferenceList& resolved, TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                   TDeviceNameList& usedProhibited, bool& skippedTarget)
{
    NSFerrant::CBufferedMedia buffered(media);
    NSBigFilePackage::CBigFileMediaWrapper medium(buffered);
    CBigFile container(medium);
    const std::unique_ptr<NSBigFilePackage::IStream> stream = container.OpenStreamForReading(kSongStreamID);
    CBigFileStreamMedia song(container, *stream);
    NSFerrant::CBufferedMedia bufferedSong(song);
    bufferedSong.fPosition = 0;
    CIFFFileReader reader(bufferedSong);
    reader.RequireFORM(kFourCC_K42S);
    // The song keeps its references in a "REMB" group; every group the packer rewrites is filed.
    FindEveryReferenceGroup(reader, resolver, resolved, unresolvable, inOtherPackage, skippedTarget);
    if (!reader.EnterFORM(kFourCC_REMB))
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    CollectDevicesFromDEVL(reader, prohibited, usedProhibited);
}

TContainerMediumMaker SetContainerMediumMaker(TContainerMediumMaker maker)
{
    const TContainerMediumMaker previous = gContainerMediumMaker;
    gContainerMediumMaker = maker;
    return previous;
}

void PackK42Song(const CItemPtr& source, IReferenceRelocator& relocator, CMedia& destination)
{
    const std::shared_ptr<CMedia> media = OpenSourceMedia(source);
    NSFerrant::CBufferedMedia buffered(*media);
    NSBigFilePackage::CBigFileMediaWrapper medium(buffered);
    CBigFile sourceContainer(medium);
    std::unique_ptr<NSFerrant::COwnedMemoryMedia> rewritten;
    {
        const std::unique_ptr<NSBigFilePackage::IStream> stream = sourceContainer.OpenStreamForReading(kSongStreamID);
        CBigFileStreamMedia song(sourceContainer, *stream);
        NSFerrant::CBufferedMedia bufferedSong(song);
        bufferedSong.fPosition = 0;
        rewritten = std::make_unique<NSFerrant::COwnedMemoryMedia>(song.GetSize());
        CIFFFileReader reader(bufferedSong);
        reader.RequireFORM(kFourCC_K42S);
        NSFerrant::CIFFFileWriter writer(*rewritten);
        writer.BeginFORM(kFourCC_K42S);
        RewriteReferences(source, relocator, reader, writer);
        writer.EndLevel();
        reader.LeaveLevel();
    }
    // The container file stays open from its making to its deletion, so no other process can
    // take its name in between.
    const std::unique_ptr<NSFileLibSupport::COpenTemporaryFile> containerFile = MakeTemporaryContainerFile();
    WriteContainer(sourceContainer, *rewritten, *containerFile);
    containerFile->fPosition = 0;
    CopyRestOfMedia(*containerFile, destination);
}
} // namespace NSVantlePacking

void CK42SongFileTypeProcessor::Pack(const CItemPtr& source, IReferenceRelocator& relocator, CMedia& destination)
{
    NSVantlePacking::PackK42Song(source, relocator, destination);
}

void CK42SongFileTypeProcessor::Verify(CMedia& media, const TDeviceNameList& prohibited,
                                       IReferenceResolver& resolver, TReferenceList& resolved,
                                       TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                                       TDeviceNameList& usedProhibited, bool& skippedTarget)
{
    NSVantlePacking::VerifyK42Song(media, prohibited, resolver, resolved, unresolvable, inOtherPackage,
                                   usedProhibited, skippedTarget);
}
