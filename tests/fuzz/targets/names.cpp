// Name strings, UTF-8 strings, versioned strings and version numbers: what reads is written and
// reads back equal. A name string's line breaks read as U+2029 from the Windows-1252 form only,
// so a text read from the UTF-8 form may change once; written again it must then stay. The first
// byte chooses the reader.
#include "base/HashedString.h"
#include "base/Media.h"
#include "base/VersionNumbers.h"
#include "media/StoredStrings.h"
#include "media/VersionedString.h"
#include "tests/fuzz/support/FuzzChecks.h"

using namespace NSFerrant;
using NSTextPackage::TUTF16String;

namespace
{
template <class TRead, class TWrite> void RoundTrip(CMedia& media, TRead read, TWrite write, const char* what)
{
    TUTF16String text;
    if (!NSFuzz::ReadsOrRefuses([&] { text = read(media); }))
        return;
    const auto writeAndRead = [&](const TUTF16String& original) {
        COwnedMemoryMedia written(0);
        write(written, original);
        written.fPosition = 0;
        return read(written);
    };
    const TUTF16String once = writeAndRead(text);
    NSFuzz::Require(writeAndRead(once) == once, what);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, size_t size)
{
    if (size < 1)
        return 0;
    COwnedMemoryMedia media(i64(size - 1), data + 1);
    switch (data[0] % 5)
    {
    case 0:
        RoundTrip(media, ReadNameString, WriteNameString, "name string round trip");
        break;
    case 1:
        RoundTrip(media, ReadUTF8String, WriteUTF8String, "UTF-8 string round trip");
        break;
    case 2:
    case 3:
        NSFuzz::ReadsOrRefuses([&] {
            THashedString text;
            ReadVersionedString(text, media, data[0] % 5 == 3);
        });
        media.fPosition = 0;
        NSFuzz::ReadsOrRefuses([&] { ReadUTF8NameString(media); });
        break;
    case 4:
    {
        TVersion version;
        if (!NSFuzz::ReadsOrRefuses([&] { version = ReadVersion(media); }))
            break;
        COwnedMemoryMedia written(0);
        WriteVersion(version, written);
        written.fPosition = 0;
        NSFuzz::Require(ReadVersion(written) == version, "version round trip");
        break;
    }
    }
    return 0;
}
