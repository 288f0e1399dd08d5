// The information files of a source folder. The first byte chooses: even INFO.TXT, in whatever
// encoding it declares; odd one of the text files (NAME.TXT and the others), read as code page
// 1252. Their content never fails the read, and what is read must go into a package: the texts
// into its header, and every SKIP_ITEM path into the skip-items tree, where it is found again.
#include "base/Media.h"
#include "packing/InfoText.h"
#include "packing/SkipItemsNode.h"
#include "packing/TextEncoding.h"
#include "tests/fuzz/support/FuzzChecks.h"

#include <optional>

using NSFerrant::COwnedMemoryMedia;

namespace
{
void WritesIntoAHeader(const CVantleInfo& info)
{
    COwnedMemoryMedia header(0);
    NSFuzz::Require(NSFuzz::ReadsOrRefuses([&] { info.Write(header); }),
                    "what an information file gave cannot be written into a header");
}

void ReadInfoText(COwnedMemoryMedia& media)
{
    SPackSettings settings;
    std::optional<CVantleInfo> info;
    NSFuzz::Require(NSFuzz::ReadsOrRefuses([&] { info.emplace(NSVantlePacking::ParseInfoText(media, settings)); }),
                    "INFO.TXT failed its parse");
    WritesIntoAHeader(*info);
    CSkipItemsNode skipped;
    for (const NSTextPackage::TUTF16String& path : settings.fSkipItems)
        skipped.Insert(path);
    for (const NSTextPackage::TUTF16String& path : settings.fSkipItems)
        NSFuzz::Require(skipped.Find(path), "a listed item is not found in the skip-items tree");
}

void ReadTextFile(COwnedMemoryMedia& media)
{
    NSTextPackage::TUTF16String text;
    NSFuzz::Require(NSFuzz::ReadsOrRefuses(
                        [&]
                        {
                            text = NSVantlePacking::TrimText(NSVantlePacking::DecodeText(
                                NSVantlePacking::ReadInformationFileBytes(media), NSVantlePacking::kTextWindowsLatin));
                        }),
                    "a text file failed its read");
    WritesIntoAHeader(CVantleInfo(text, text, text, text, NSFerrant::TVersion{1, 0, 0}));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, size_t size)
{
    if (size < 1)
        return 0;
    COwnedMemoryMedia media(i64(size - 1), data + 1);
    if (data[0] % 2 == 0)
        ReadInfoText(media);
    else
        ReadTextFile(media);
    return 0;
}
