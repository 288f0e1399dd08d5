#include "media/bigfile/BigFile.h"

#include "media/bigfile/BigFileFailures.h"

#include <algorithm>
#include <cstring>

namespace NSBigFilePackage
{
namespace
{
constexpr u32 kWriterStreamID = 1;
constexpr u8 kUnwrittenByte = 0xFE;
} // namespace

CStream::CStream(CBigFile& container, u32 id, bool writable, bool appendOnly, std::shared_ptr<CTemporaryStream> state)
    : fID(id), fWritable(writable), fAppendOnly(appendOnly), fContainer(container), fState(std::move(state))
{
}

CStream::~CStream()
{
    try
    {
        fContainer.ReleaseStream(*this);
    }
    catch (...)
    {
    }
}

void CStream::SetPosition(u64 position)
{
    if (fAppendOnly)
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
    // A writer may stand at the end to extend the stream; a reader must stand on a byte.
    const bool inRange = fWritable ? position <= fState->fLength : position < fState->fLength;
    if (!inRange)
        NSQuorral::Throw<std::invalid_argument>();
    fPosition = position;
}

void CStream::Close()
{
    if (fClosed)
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
    if (fWritable)
        fContainer.CommitStream(*this);
    fClosed = true;
}

void CreateBigFile(IMedia& medium)
{
    CBlockFile::FormatMedium(medium);
    try
    {
        CBlockFile blockFile(medium);
        WriteEmptyDirectory(blockFile);
        WriteRootSlot(blockFile, 0, 0, 0);
        WriteRootSlot(blockFile, 0, 1, 1);
    }
    catch (...)
    {
        DeleteQuietly(medium);
        throw;
    }
}

CBigFile::CBigFile(IMedia& medium) : fBlockFile(medium), fDirectory(std::make_unique<CDirectory>(fBlockFile))
{
    ChooseRootSlot();
}

CBigFile::~CBigFile() = default;

void CBigFile::ChooseRootSlot()
{
    const std::vector<u8> rootArea = fBlockFile.ReadRootArea();
    const TRootSlot slots[2] = {DecodeRootSlot(rootArea.data()), DecodeRootSlot(rootArea.data() + kRootSlotSize)};
    auto readDirectory = [&](u32 slot) {
        auto directory = std::make_unique<CDirectory>(fBlockFile);
        directory->Read(slots[slot].fDirectoryBlock);
        fDirectory = std::move(directory);
        fCurrentSlot = slot;
        fSequence = slots[slot].fSequence;
    };
    u32 chosen = 0;
    if (slots[0].fValid && (!slots[1].fValid || slots[0].fSequence >= slots[1].fSequence))
        chosen = 0;
    else if (slots[1].fValid)
        chosen = 1;
    else
        ThrowForFile<NSQuorral::XFormatViolation>();
    try
    {
        readDirectory(chosen);
    }
    catch (const NSQuorral::XFormatViolation&)
    {
        // The other slot holds the state before the last commit; slot 0 is tried even when its
        // checksum failed, slot 1 only when it is valid.
        if (chosen == 0 && !slots[1].fValid)
            throw;
        readDirectory(1 - chosen);
    }
}

std::shared_ptr<CTemporaryStream> CBigFile::NewWriterState(u32 id)
{
    auto state = std::make_shared<CTemporaryStream>();
    state->fBuffer.assign(fBlockFile.GetBlockSize(), kUnwrittenByte);
    fWorkingStates[id] = state;
    return state;
}

std::shared_ptr<CTemporaryStream> CBigFile::GetReaderState(u32 id)
{
    // A reader of a stream being appended shares the appender's state, buffer included.
    if (auto live = fWorkingStates[id].lock())
        return live;
    auto state = std::make_shared<CTemporaryStream>();
    state->fBlocks = fDirectory->GetStreamBlocks(id);
    state->fLength = fDirectory->GetStreamLength(id);
    fWorkingStates[id] = state;
    return state;
}

std::unique_ptr<IStream> CBigFile::OpenStreamForWriting()
{
    const u32 id = kWriterStreamID;
    if (fOpenForWriting.count(id) || fOpenForAppending.count(id) || fReaderCounts.count(id))
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
    auto stream = std::make_unique<CStream>(*this, id, true, false, NewWriterState(id));
    fOpenForWriting.insert(id);
    return stream;
}

std::unique_ptr<IStream> CBigFile::CreateStream(u32 id)
{
    if (fOpenForAppending.count(id) || fOpenForWriting.count(id) || fReaderCounts.count(id) ||
        fDirectory->HasStream(id))
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
    auto stream = std::make_unique<CStream>(*this, id, true, true, NewWriterState(id));
    fOpenForAppending.insert(id);
    return stream;
}

std::unique_ptr<IStream> CBigFile::OpenStreamForReading(u32 id)
{
    if (fOpenForWriting.count(id) || (!fOpenForAppending.count(id) && !fDirectory->HasStream(id)))
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
    auto stream = std::make_unique<CStream>(*this, id, false, false, GetReaderState(id));
    ++fReaderCounts[id];
    return stream;
}

std::vector<u32> CBigFile::GetStreamIDs() const
{
    return fDirectory->GetStreamIDs();
}

CStream& CBigFile::OwnStream(IStream& stream)
{
    CStream& own = dynamic_cast<CStream&>(stream);
    if (&own.fContainer != this)
        NSQuorral::Throw<std::invalid_argument>();
    return own;
}

void CBigFile::ReadStreamAt(IStream& stream, u32 n, u8* destination)
{
    CStream& reader = OwnStream(stream);
    if (reader.fWritable)
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
    const CTemporaryStream& state = *reader.fState;
    const u64 position = reader.fPosition;
    if (position > state.fLength || n > state.fLength - position)
        NSQuorral::Throw<std::invalid_argument>();
    if (n == 0)
        return;
    const u32 blockSize = fBlockFile.GetBlockSize();
    const u64 end = position + n;
    u64 first = position / blockSize;
    const u64 last = (end - 1) / blockSize;
    const u32 offset = u32(position % blockSize);
    if (first == last)
    {
        ReadStreamBlockPart(reader, first, offset, n, destination);
    }
    else
    {
        u64 done = 0;
        if (offset != 0)
        {
            done = blockSize - offset;
            ReadStreamBlockPart(reader, first, offset, u32(done), destination);
            ++first;
        }
        const bool endsOnBoundary = end % blockSize == 0;
        const u64 lastWhole = endsOnBoundary ? last : last - 1;
        if (first <= lastWhole)
        {
            // Whole blocks already on the medium in one coalesced read; the last one may still
            // be in the buffer of a stream being appended.
            const u64 stored = std::min<u64>(lastWhole + 1, state.fBlocks.size());
            if (first < stored)
            {
                const std::vector<u64> blocks(state.fBlocks.begin() + first, state.fBlocks.begin() + stored);
                fBlockFile.ReadBlocks(blocks, destination + done);
                done += (stored - first) * blockSize;
            }
            for (u64 index = std::max(first, stored); index <= lastWhole; ++index, done += blockSize)
                ReadStreamBlockPart(reader, index, 0, blockSize, destination + done);
        }
        if (!endsOnBoundary)
            ReadStreamBlockPart(reader, lastWhole + 1, 0, u32(n - done), destination + done);
    }
    reader.fPosition = end;
}

void CBigFile::ReadStreamBlockPart(CStream& stream, u64 index, u32 offset, u32 count, u8* destination)
{
    const CTemporaryStream& state = *stream.fState;
    const u32 blockSize = fBlockFile.GetBlockSize();
    if (index < state.fBlocks.size())
    {
        if (count == blockSize)
            fBlockFile.ReadBlock(state.fBlocks[index], destination);
        else
            fBlockFile.ReadBlockPart(state.fBlocks[index], offset, count, destination);
        return;
    }
    // Not yet written out: only the block in the buffer holds bytes of the stream.
    if (index != state.fBufferedBlock || state.fBuffer.size() != blockSize || count > blockSize - offset)
        NSQuorral::Throw<std::invalid_argument>();
    std::memcpy(destination, state.fBuffer.data() + offset, count);
}

void CBigFile::WriteStreamAt(IStream& stream, u32 n, const u8* source)
{
    CStream& writer = OwnStream(stream);
    if (!writer.fWritable || writer.fClosed)
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
    CTemporaryStream& state = *writer.fState;
    const u32 blockSize = fBlockFile.GetBlockSize();
    u32 written = 0;
    while (written < n)
    {
        const u64 index = writer.fPosition / blockSize;
        if (index != state.fBufferedBlock)
        {
            FlushStreamBuffer(writer);
            // Moving back into an earlier block keeps the bytes this write does not replace.
            if (index < state.fBlocks.size())
                fBlockFile.ReadBlock(state.fBlocks[index], state.fBuffer.data());
            state.fBufferedBlock = index;
        }
        const u32 offset = u32(writer.fPosition % blockSize);
        const u32 count = std::min(blockSize - offset, n - written);
        std::memcpy(state.fBuffer.data() + offset, source + written, count);
        written += count;
        writer.fPosition += count;
        state.fLength = std::max(state.fLength, writer.fPosition);
    }
}

void CBigFile::FlushStreamBuffer(CStream& stream)
{
    CTemporaryStream& state = *stream.fState;
    // A block already in the list was given to this stream since its last commit: rewrite it.
    if (state.fBufferedBlock < state.fBlocks.size())
    {
        fBlockFile.WriteBlock(state.fBlocks[state.fBufferedBlock], state.fBuffer.data(), false);
        return;
    }
    const u64 block = fDirectory->AllocateStreamBlock(stream.fID);
    try
    {
        fBlockFile.WriteBlock(block, state.fBuffer.data(), false);
    }
    catch (...)
    {
        fDirectory->ReleaseStreamBlocks(stream.fID, {block});
        throw;
    }
    state.fBlocks.push_back(block);
}

void CBigFile::CommitStream(CStream& stream)
{
    FlushStreamBuffer(stream);
    // The new directory is written into free blocks and becomes current with the root slot;
    // until then a failure leaves this container and the file in the state before.
    auto directory = std::make_unique<CDirectory>(*fDirectory);
    const std::vector<u64> replaced = directory->UpdateStreamEntry(stream.fID, stream.fState->fLength);
    const u32 slot = 1 - fCurrentSlot;
    const u64 blockCountBefore = fBlockFile.GetBlockCount();
    try
    {
        WriteRootSlot(fBlockFile, directory->WriteDirectory(), slot, fSequence + 1);
    }
    catch (...)
    {
        // Blocks the failed commit added to the file belong to nothing: they are free.
        std::vector<u64> added;
        for (u64 block = blockCountBefore; block < fBlockFile.GetBlockCount(); ++block)
            added.push_back(block);
        fDirectory->ReturnBlocks(added);
        throw;
    }
    ++fSequence;
    fCurrentSlot = slot;
    directory->ReturnBlocks(replaced);
    fDirectory = std::move(directory);
}

void CBigFile::ReleaseStream(CStream& stream)
{
    const u32 id = stream.fID;
    if (!stream.fWritable)
    {
        if (--fReaderCounts[id] <= 0)
            fReaderCounts.erase(id);
        return;
    }
    fDirectory->DropPendingBlocks(id);
    (stream.fAppendOnly ? fOpenForAppending : fOpenForWriting).erase(id);
}
} // namespace NSBigFilePackage
