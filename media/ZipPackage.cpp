#include "media/ZipPackage.h"

#include "base/ExceptionClasses.h"
#include "base/Throw.h"

#include <zlib.h>

#include <algorithm>
#include <exception>
#include <new>
#include <vector>

namespace NSZipPackage
{
namespace
{
// Owns one zlib stream and its two buffers; ends the stream on every exit. zlib counts bytes in
// 32 bits on Win64, so the running counts are kept here in 64 bits.
class CZlibPipe
{
public:
    CZlibPipe(IByteReader& source, i64 offset, i64 size, IByteWriter& destination, i64 destinationOffset)
        : fSource(source), fReadPosition(offset), fReadEnd(offset + size), fDestination(destination),
          fWritePosition(destinationOffset), fInput(kBufferSize), fOutput(kBufferSize)
    {
        fStream.avail_out = uInt(kBufferSize);
        fStream.next_out = fOutput.data();
    }

    z_stream& Stream() { return fStream; }
    bool InputLeft() const { return fStream.avail_in > 0 || fReadPosition < fReadEnd; }
    u64 Produced() const { return fProduced; }

    void LoadInputIfEmpty()
    {
        if (fStream.avail_in > 0 || fReadPosition >= fReadEnd)
            return;
        const i64 n = std::min(fReadEnd - fReadPosition, kBufferSize);
        fSource.Read(fReadPosition, n, fInput.data());
        fReadPosition += n;
        fStream.next_in = fInput.data();
        fStream.avail_in = uInt(n);
    }

    void FlushOutputIfFull()
    {
        if (fStream.avail_out == 0)
            FlushOutput();
    }

    void FlushOutput()
    {
        const i64 n = kBufferSize - fStream.avail_out;
        if (n > 0)
            fDestination.Write(fWritePosition, n, fOutput.data());
        fWritePosition += n;
        fStream.next_out = fOutput.data();
        fStream.avail_out = uInt(kBufferSize);
    }

    // Runs one zlib step and counts what it produced.
    template <class TStep>
    int Step(TStep step)
    {
        const uInt before = fStream.avail_out;
        const int result = step(&fStream);
        fProduced += before - fStream.avail_out;
        if (result == Z_MEM_ERROR)
            NSQuorral::Throw(std::bad_alloc());
        return result;
    }

private:
    z_stream fStream{};
    IByteReader& fSource;
    i64 fReadPosition;
    i64 fReadEnd;
    IByteWriter& fDestination;
    i64 fWritePosition;
    std::vector<Bytef> fInput;
    std::vector<Bytef> fOutput;
    u64 fProduced = 0;
};

template <int (*kEnd)(z_streamp)>
struct TStreamEnder
{
    z_stream& fStream;
    ~TStreamEnder() { kEnd(&fStream); }
};

void CheckInit(int result)
{
    if (result == Z_MEM_ERROR)
        NSQuorral::Throw(std::bad_alloc());
    if (result != Z_OK)
        NSQuorral::Throw(std::exception());
}
} // namespace

void Deflate(IByteReader& source, i64 sourceOffset, i64 sourceSize, IByteWriter& destination,
             i64 destinationOffset, u64& compressedSize)
{
    CZlibPipe pipe(source, sourceOffset, sourceSize, destination, destinationOffset);
    CheckInit(deflateInit2(&pipe.Stream(), 9, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY));
    const TStreamEnder<deflateEnd> ender{pipe.Stream()};

    int result = Z_OK;
    while (result != Z_STREAM_END)
    {
        pipe.LoadInputIfEmpty();
        pipe.FlushOutputIfFull();
        const int flush = pipe.InputLeft() ? Z_NO_FLUSH : Z_FINISH;
        result = pipe.Step([flush](z_streamp stream) { return deflate(stream, flush); });
        if (result == Z_STREAM_ERROR)
            NSQuorral::Throw(std::exception());
    }
    pipe.FlushOutput();
    compressedSize = pipe.Produced();
}

void Inflate(IByteReader& source, i64 sourceOffset, i64 sourceSize, IByteWriter& destination,
             i64 destinationOffset, u64& size, u64 limit)
{
    const u64 expected = size;
    CZlibPipe pipe(source, sourceOffset, sourceSize, destination, destinationOffset);
    CheckInit(inflateInit2(&pipe.Stream(), 15));
    const TStreamEnder<inflateEnd> ender{pipe.Stream()};

    int result = Z_OK;
    while (result != Z_STREAM_END)
    {
        pipe.LoadInputIfEmpty();
        pipe.FlushOutputIfFull();
        result = pipe.Step([](z_streamp stream) { return inflate(stream, Z_NO_FLUSH); });
        if (result == Z_DATA_ERROR || result == Z_NEED_DICT || result == Z_STREAM_ERROR)
            NSQuorral::Throw<NSQuorral::XFormatViolation>("Corrupt Zip file, invalid deflate stream.");
        // More than was expected: no need to inflate the rest to know the size is wrong. The
        // output buffer is flushed only before the next step, so nothing beyond either bound
        // reaches the destination.
        if (expected != 0 && pipe.Produced() > expected)
            NSQuorral::Throw<NSQuorral::XFormatViolation>("Corrupt Zip file, size mismatch.");
        if (pipe.Produced() > limit)
            NSQuorral::Throw<NSQuorral::XFormatViolation>("Corrupt Zip file, more data than allowed.");
        // No progress is possible: the input is used up and there is room for output.
        if (result == Z_BUF_ERROR && !pipe.InputLeft() && pipe.Stream().avail_out > 0)
            break;
    }
    pipe.FlushOutput();
    if (expected != 0 && pipe.Produced() != expected)
        NSQuorral::Throw<NSQuorral::XFormatViolation>("Corrupt Zip file, size mismatch.");
    if (result != Z_STREAM_END)
        NSQuorral::Throw<NSQuorral::XFormatViolation>("Corrupt Zip file, invalid deflate stream.");
    size = pipe.Produced();
}
} // namespace NSZipPackage
