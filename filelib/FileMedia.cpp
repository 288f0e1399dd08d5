#include "filelib/FileMedia.h"

#include "base/FileLibStatus.h"
#include "base/Quorral.h"
#include "base/Win32Calls.h"
#include "filelib/FileLibAccess.h"
#include "filelib/RobustFileSpec.h"

using namespace NSFileLib;
using namespace NSQuorral;

namespace NSFileLibSupport
{
namespace
{
void ReadThrough(IByteReader* reader, i64 offset, i64 size, void* destination)
{
    if (reader == nullptr)
        NSQuorral::Throw(std::exception());
    ThrowIfFileLibError(reader->Read(offset, size, static_cast<u8*>(destination)));
}

void WriteThrough(IByteWriter* writer, i64 offset, i64 size, const void* source)
{
    if (writer == nullptr)
        NSQuorral::Throw(std::exception());
    ThrowIfFileLibError(writer->Write(offset, size, static_cast<const u8*>(source)));
}

template <class TSized> i64 SizeThrough(TSized* sized)
{
    if (sized == nullptr)
        NSQuorral::Throw(std::exception());
    u64 size = 0;
    ThrowIfFileLibError(sized->GetSize(&size));
    return i64(size);
}

constexpr u32 kDeleteRetries = 40;
constexpr DWORD kDeleteRetryPauseMs = 50;
} // namespace

CMediaBridge::CMediaBridge(IByteReader* reader, IByteWriter* writer) : fReader(reader), fWriter(writer) {}

void CMediaBridge::Read(i64 offset, i64 size, void* destination) const
{
    ReadThrough(fReader, offset, size, destination);
}

void CMediaBridge::Write(i64 offset, i64 size, const void* source)
{
    WriteThrough(fWriter, offset, size, source);
}

i64 CMediaBridge::GetSize() const
{
    return SizeThrough(fWriter);
}

COpenFile::COpenFile(IDirSpec* folder, const TUTF16String& name, u32 creator, u32 fileType)
{
    u32 status = kFileLibNotSet;
    fReadWriteFile.reset(GetFileLib()->CreateFile(folder, name.c_str(), creator, fileType, &status));
    ThrowIfFileLibError(status);
    fReader = fReadWriteFile->GetByteReader();
    fWriter = fReadWriteFile->GetByteWriter();
}

COpenFile::COpenFile(IFileSpec* file)
{
    u32 status = kFileLibNotSet;
    fReadFile.reset(GetFileLib()->OpenReadFile(file, &status));
    ThrowIfFileLibError(status);
    fReader = fReadFile->GetByteReader();
}

COpenFile::~COpenFile()
{
    fReader = nullptr;
    fWriter = nullptr;
    fReadFile.reset();
    fReadWriteFile.reset();
}

void COpenFile::Read(i64 offset, i64 size, void* destination) const
{
    ReadThrough(fReader, offset, size, destination);
}

void COpenFile::Write(i64 offset, i64 size, const void* source)
{
    WriteThrough(fWriter, offset, size, source);
}

i64 COpenFile::GetSize() const
{
    if (fReadFile)
        return SizeThrough(fReadFile.get());
    return SizeThrough(fWriter);
}

CSafeOpenFile::CSafeOpenFile(const CRobustFileSpec& target, u32 creator, u32 fileType)
{
    const TUTF16String name = target.GetFileName();
    const TDirSpecPtr folder = target.GetDirSpec();
    u32 status = kFileLibNotSet;
    fFile.reset(GetFileLib()->SafeCreateFile(folder.get(), name.c_str(), creator, fileType, &status));
    ThrowIfFileLibError(status);
    fMedia = std::make_unique<CMediaBridge>(fFile->GetByteReader(), fFile->GetByteWriter());
}

CSafeOpenFile::~CSafeOpenFile()
{
    fMedia.reset();
    fFile.reset();
}

TFileLibStatus CSafeOpenFile::Commit()
{
    return fFile->Commit();
}

COpenTemporaryFile::COpenTemporaryFile(const SFileTypeDescriptor& type)
{
    try
    {
        const TUTF16String extension = GetFirstExtension(type.extensions);
        u32 status = kFileLibNotSet;
        const TDirSpecPtr folder(GetFileLib()->GetTempDirectory(&status));
        ThrowIfFileLibError(status);
        IFileSpec* file = nullptr;
        status = kFileLibNotSet;
        fOpenFile.reset(GetFileLib()->CreateTemporaryFile(folder.get(), 0, type.typeCode, extension.c_str(),
                                                          &file, &status));
        fFileSpec.reset(file);
        ThrowIfFileLibError(status);
        fMedia = std::make_unique<CMediaBridge>(fOpenFile->GetByteReader(), fOpenFile->GetByteWriter());
    }
    catch (...)
    {
        Close();
        throw;
    }
}

COpenTemporaryFile::~COpenTemporaryFile()
{
    Close();
}

CMediaBridge& COpenTemporaryFile::Media() const
{
    if (!fMedia)
        NSQuorral::Throw(std::exception());
    return *fMedia;
}

void COpenTemporaryFile::Read(i64 offset, i64 size, void* destination) const
{
    Media().Read(offset, size, destination);
}

void COpenTemporaryFile::Write(i64 offset, i64 size, const void* source)
{
    Media().Write(offset, size, source);
}

i64 COpenTemporaryFile::GetSize() const
{
    return Media().GetSize();
}

void COpenTemporaryFile::Close()
{
    fMedia.reset();
    fOpenFile.reset();
    if (fDeleteOnClose && fFileSpec)
    {
        try
        {
            IFileLib* library = GetFileLib();
            u32 retries = 0;
            while (library->DeleteFile(fFileSpec.get()) == kFileLibNotReady && retries < kDeleteRetries)
            {
                ++retries;
                Win32Calls().Sleep(kDeleteRetryPauseMs);
            }
        }
        catch (...)
        {
            // A temporary file that cannot be deleted is left behind without an error.
        }
    }
    fDeleteOnClose = false;
    fFileSpec.reset();
}
} // namespace NSFileLibSupport
