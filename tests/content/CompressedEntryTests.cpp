// Compressed entries: the frame is checked and the stored unpacked size bounds the output.
#include "content/package/CompressedEntry.h"
#include "base/ExceptionClasses.h"
#include "base/Media.h"
#include "media/MediaCompression.h"
#include "tests/support/MediaBytes.h"
#include "tests/support/VantlePackageWriter.h"

#include <gtest/gtest.h>

#include <functional>

using namespace NSFerrant;
using namespace NSTestSupport;

namespace
{
// Larger than one inflate buffer, compressible, not uniform.
TBytes PatchFile()
{
    TBytes file(30000);
    for (size_t i = 0; i < file.size(); ++i)
        file[i] = u8((i * 7) % 251 + (i / 1000));
    return file;
}

TBytes WithoutLast(TBytes bytes, size_t count)
{
    bytes.resize(bytes.size() - count);
    return bytes;
}

// The first count bytes of the file's entry.
TBytes Cut(const TBytes& file, size_t count)
{
    TBytes entry = FrameCompressedEntry(file);
    entry.resize(count);
    return entry;
}

struct TEntryCase
{
    const char* fWhat;
    std::function<TBytes(const TBytes& file)> fEntry;
    bool fRead; // else XFormatViolation
};

const TEntryCase kEntryCases[] = {
    {"exact size", [](const TBytes& f) { return FrameCompressedEntry(f); }, true},
    {"stored size larger than the file",
     [](const TBytes& f) { return FrameCompressedEntry(f, u32(f.size()) + 1000); }, true},
    {"trailing bytes after the stream",
     [](const TBytes& f) {
         return Concat({FrameCompressedEntry(f), Text("xyz")});
     },
     true},
    {"stored size one smaller", [](const TBytes& f) { return FrameCompressedEntry(f, u32(f.size()) - 1); },
     false},
    {"stored size 1", [](const TBytes& f) { return FrameCompressedEntry(f, 1); }, false},
    {"stored size 0", [](const TBytes& f) { return FrameCompressedEntry(f, 0); }, false},
    {"entry of size 0", [](const TBytes&) { return TBytes(); }, false},
    {"entry cut inside the frame", [](const TBytes& f) { return Cut(f, 7); }, false},
    {"frame without a stream", [](const TBytes& f) { return Cut(f, 8); }, false},
    {"bad mark",
     [](const TBytes& f)
     {
         TBytes e = FrameCompressedEntry(f);
         e[3] = 0x34;
         return e;
     },
     false},
    {"garbage stream",
     [](const TBytes& f) {
         return Concat({Bytes({0xA1, 0xB0, 0x9F, 0x33, 0, 0, 0x75, 0x30}), TBytes(500, 0x5A)});
     },
     false},
    {"stream without its trailer", [](const TBytes& f) { return WithoutLast(FrameCompressedEntry(f), 4); },
     false},
    {"stream cut in half",
     [](const TBytes& f)
     {
         TBytes e = FrameCompressedEntry(f);
         return WithoutLast(e, e.size() / 2);
     },
     false},
};

TEST(CompressedEntry, FramesAreReadOrRefused)
{
    const TBytes file = PatchFile();
    for (const TEntryCase& c : kEntryCases)
    {
        SCOPED_TRACE(c.fWhat);
        const COwnedMemoryMedia entry = MediaOf(c.fEntry(file));
        if (c.fRead)
        {
            const std::shared_ptr<CMedia> unpacked = InflateCompressedEntry(entry);
            EXPECT_EQ(unpacked->fPosition, 0);
            EXPECT_EQ(BytesOf(*unpacked), file);
        }
        else
        {
            EXPECT_THROW(InflateCompressedEntry(entry), NSQuorral::XFormatViolation);
        }
    }
}

TEST(CompressedEntry, ABombStopsAtTheStoredSize)
{
    // 16 MB of zeros deflate to about 16 KB; the stored size allows 64 KB of them.
    COwnedMemoryMedia zeros = MediaOf(TBytes(16 << 20, 0));
    COwnedMemoryMedia deflated(0);
    CompressMedia(zeros, deflated, 9);
    TBytes entry;
    PutBE32(entry, kCompressedEntryMark);
    PutBE32(entry, 1 << 16);
    const COwnedMemoryMedia bomb = MediaOf(Concat({entry, BytesOf(deflated)}));
    EXPECT_THROW(InflateCompressedEntry(bomb), NSQuorral::XFormatViolation);
}
} // namespace
