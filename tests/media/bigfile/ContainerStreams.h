#pragma once
// Writing and reading whole streams of a container the way the program does, through the
// stream media.
#include "media/bigfile/BigFile.h"
#include "media/bigfile/BigFileStreamMedia.h"
#include "tests/media/bigfile/MemoryMedium.h"
#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

namespace NSContainerStreams
{
using NSTestSupport::TBytes;

// Writes the bytes in uneven pieces, so that pieces straddle block boundaries.
inline void WriteBytes(NSBigFilePackage::CBigFile& container, NSBigFilePackage::IStream& stream, const TBytes& bytes)
{
    NSBigFileUtils::CBigFileStreamMedia media(container, stream);
    for (size_t done = 0, piece = 1; done < bytes.size(); done += piece, piece = piece * 2 + 1)
    {
        piece = std::min(piece, bytes.size() - done);
        media.Write(i64(done), i64(piece), bytes.data() + done);
    }
}

// Writes a whole stream and commits it.
inline void WriteStream(NSBigFilePackage::CBigFile& container, std::unique_ptr<NSBigFilePackage::IStream> stream,
                        const TBytes& bytes)
{
    WriteBytes(container, *stream, bytes);
    stream->Close();
}

inline TBytes ReadStream(NSBigFilePackage::CBigFile& container, u32 id)
{
    const std::unique_ptr<NSBigFilePackage::IStream> stream = container.OpenStreamForReading(id);
    NSBigFileUtils::CBigFileStreamMedia media(container, *stream);
    TBytes bytes(size_t(media.GetSize()));
    media.Read(0, i64(bytes.size()), bytes.data());
    return bytes;
}

using TContents = std::map<u32, TBytes>;

// Every stream of a container file, opened afresh; the directory must be consistent.
inline TContents ReadContents(const TBytes& image)
{
    CMemoryMedium medium(image);
    NSBigFilePackage::CBigFile container(medium);
    EXPECT_TRUE(container.GetDirectory().IsConsistent());
    TContents contents;
    for (u32 id : container.GetStreamIDs())
        contents[id] = ReadStream(container, id);
    return contents;
}
} // namespace NSContainerStreams
