#pragma once
// A small package writer for the tests: it lays a package out as the format defines it (header,
// information block, index rows, then the entries' bytes one after another in index order),
// with every part open to change, so tests can build valid packages and damage one field at a
// time. The packing engine writes packages through its own phases.
#include "content/package/VantleInfo.h"
#include "media/CreatorBlock.h"
#include "tests/support/MediaBytes.h"
#include "tests/support/TextLiterals.h"

#include <vector>

namespace NSTestSupport
{
struct TTestEntry
{
    NSTextPackage::TUTF16String fName;
    u32 fPackedType = 0;
    // Stored as given: a compressed type's bytes come framed (FrameCompressedEntry).
    TBytes fBytes;
    bool fHidden = false;
};

struct TTestPackage
{
    NSFerrant::TCreatorBlock fCreator{NSFerrant::kProgramCreatorTag, NSFerrant::kProgramCreatorVersion,
                                      NSFerrant::kProgramCreatorText};
    // Texts, package version and date; the writer sets the counts and offsets. A creator older
    // than the first version with a date stores no package version and date.
    CVantleInfo fInfo{MakeText(u"Test package"), {}, {}, {}, NSFerrant::TVersion{1, 0, 0}};
    std::vector<TTestEntry> fEntries;
};

struct TWrittenPackage
{
    TBytes fBytes;
    // The information block as written, counts and offsets included.
    CVantleInfo fInfo;
    // Where the file count, index start and data start lie (three big-endian u32).
    size_t fCountsOffset = 0;
    // Where the information block ends.
    size_t fInfoEnd = 0;
};

TWrittenPackage WriteTestPackage(const TTestPackage& package);

// The package up to its data area, for entries of the given sizes (the entries' own bytes are
// not looked at): a generator of large packages writes the entries' bytes after it, in index
// order, without holding them. The stored package size counts the data area.
TWrittenPackage WriteTestPackageHead(const TTestPackage& package, const std::vector<u32>& entrySizes);

// An entry of a compressed type: the mark, the stored unpacked size and the file deflated.
TBytes FrameCompressedEntry(const TBytes& file, u32 storedSize);
inline TBytes FrameCompressedEntry(const TBytes& file)
{
    return FrameCompressedEntry(file, u32(file.size()));
}

// Overwrites the big-endian u32 at offset.
inline void PatchBE32(TBytes& bytes, size_t offset, u32 value)
{
    NSByteOrder::WriteBE32(bytes.data() + offset, value);
}
} // namespace NSTestSupport
