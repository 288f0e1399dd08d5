#pragma once
// A stream of an open container seen as a media, for the readers and writers of the rest of
// the program. Writes go to the stream's own position (the offset is not consulted), so a
// stream is written from its start to its end in order. Owns neither container nor stream.
#include "base/Media.h"
#include "media/bigfile/BigFile.h"

namespace NSBigFileUtils
{
class CBigFileStreamMedia : public NSFerrant::CMedia
{
public:
    CBigFileStreamMedia(NSBigFilePackage::CBigFile& container, NSBigFilePackage::IStream& stream);

    // Moves the stream to offset (by the stream's rules, even for zero bytes), then reads.
    void Read(i64 offset, i64 size, void* destination) const override;
    void Write(i64 offset, i64 size, const void* source) override;
    i64 GetSize() const override;

    // Closes the stream, which commits a written one.
    void Close();

private:
    NSBigFilePackage::CBigFile& fContainer;
    NSBigFilePackage::IStream& fStream;
};
} // namespace NSBigFileUtils
