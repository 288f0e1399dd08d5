#pragma once
// zlib deflate and inflate of byte ranges (zlib stream format: header, deflate data, Adler-32),
// driven through fixed 10,240-byte buffers so memory stays bounded whatever the range's size.
#include "base/Types.h"

namespace NSZipPackage
{
class IByteReader
{
public:
    virtual void Read(i64 offset, i64 size, void* destination) = 0;

protected:
    ~IByteReader() = default;
};

class IByteWriter
{
public:
    virtual void Write(i64 offset, i64 size, const void* source) = 0;
    virtual i64 GetSize() = 0;

protected:
    ~IByteWriter() = default;
};

constexpr i64 kBufferSize = 10240;

// Deflates size bytes at sourceOffset (level 9, window bits 15, memory level 8) to the
// destination at destinationOffset; compressedSize is the number of bytes written.
void Deflate(IByteReader& source, i64 sourceOffset, i64 sourceSize, IByteWriter& destination,
             i64 destinationOffset, u64& compressedSize);

// Inflates the zlib stream in the source range to the destination. On entry size is the expected
// size (0 for any); on return the size produced. A stream that is invalid or ends before its end
// marker is XFormatViolation "Corrupt Zip file, invalid deflate stream."; a stream that does not
// produce the expected size, "Corrupt Zip file, size mismatch."; one that would produce more than
// limit bytes, "Corrupt Zip file, more data than allowed.", with no byte beyond the limit written.
// Callers that read untrusted data pass a limit: a few hundred bytes can inflate to gigabytes.
// Bytes already written stay.
void Inflate(IByteReader& source, i64 sourceOffset, i64 sourceSize, IByteWriter& destination,
             i64 destinationOffset, u64& size, u64 limit);
} // namespace NSZipPackage
