#include "filelib/OpenFileGlue.h"

#include "filelib/GlueFence.h"

#include <limits>

namespace NSFileLibInternals
{
using namespace NSFileLib;

namespace
{
// Negative positions and counts, a missing buffer and a transfer that would end beyond the
// largest file position are refused before any work.
bool IsTransferAllowed(i64 position, i64 count, const void* buffer)
{
    return position >= 0 && count >= 0 && buffer != nullptr &&
           count <= std::numeric_limits<i64>::max() - position;
}

// The reader, writer and size of a read-write file; file is null once a safe write committed.
TFileLibStatus ReadFrom(const COpenReadWriteFileImpl* file, i64 position, i64 count, u8* buffer)
{
    if (!IsTransferAllowed(position, count, buffer))
        return kFileLibBadArgument;
    if (file == nullptr)
        return kFileLibIllegalCallSequence;
    return RunFenced([&] { file->Read(position, count, buffer); });
}

TFileLibStatus WriteTo(const COpenReadWriteFileImpl* file, i64 position, i64 count, const u8* buffer)
{
    if (!IsTransferAllowed(position, count, buffer))
        return kFileLibBadArgument;
    if (file == nullptr)
        return kFileLibIllegalCallSequence;
    return RunFenced([&] { file->Write(position, count, buffer); });
}

TFileLibStatus SizeOf(const COpenReadWriteFileImpl* file, u64* size)
{
    if (file == nullptr)
        return kFileLibIllegalCallSequence;
    return RunFenced([&] { *size = file->GetSize(); });
}
} // namespace

TFileLibStatus COpenReadFileGlue::GetSize(u64* size)
{
    *size = kFileLibResultNotSet;
    return RunFenced([&] { *size = fFile->GetSize(); });
}

TFileLibStatus COpenReadFileGlue::Read(i64 position, i64 count, u8* buffer)
{
    if (!IsTransferAllowed(position, count, buffer))
        return kFileLibBadArgument;
    return RunFenced([&] { fFile->Read(position, count, buffer); });
}

TFileLibStatus COpenReadWriteFileGlue::Read(i64 position, i64 count, u8* buffer)
{
    return ReadFrom(fFile.get(), position, count, buffer);
}

TFileLibStatus COpenReadWriteFileGlue::Write(i64 position, i64 count, const u8* buffer)
{
    return WriteTo(fFile.get(), position, count, buffer);
}

TFileLibStatus COpenReadWriteFileGlue::GetSize(u64* size)
{
    *size = kFileLibResultNotSet;
    return SizeOf(fFile.get(), size);
}

TFileLibStatus CSafeOpenReadWriteFileGlue::Commit()
{
    return RunFenced([&] { fFile->Commit(); });
}

TFileLibStatus CSafeOpenReadWriteFileGlue::Read(i64 position, i64 count, u8* buffer)
{
    return ReadFrom(fFile->GetOpenFile(), position, count, buffer);
}

TFileLibStatus CSafeOpenReadWriteFileGlue::Write(i64 position, i64 count, const u8* buffer)
{
    return WriteTo(fFile->GetOpenFile(), position, count, buffer);
}

TFileLibStatus CSafeOpenReadWriteFileGlue::GetSize(u64* size)
{
    return SizeOf(fFile->GetOpenFile(), size);
}
} // namespace NSFileLibInternals
