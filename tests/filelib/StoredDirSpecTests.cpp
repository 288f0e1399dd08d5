// The stored folder reference: its bytes, and reading it back from good and bad data.
#include "base/ByteOrder.h"
#include "base/TextConversions.h"
#include "filelib/StoredDirSpec.h"
#include "tests/filelib/FileLibSupportTestHelpers.h"
#include "tests/filelib/ScratchFolder.h"
#include "tests/support/MediaBytes.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

using namespace NSFileLibTests;
using namespace NSFileLibSupport;
using namespace NSTestSupport;
using namespace NSQuorral;

namespace
{
const TBytes kMagic = Bytes({0xF1, 0x1E, 0x54, 0xED});

TBytes StoredBytes(NSFileLib::IDirSpec* folder)
{
    NSFerrant::COwnedMemoryMedia media(0);
    WriteDirSpec(folder, media);
    EXPECT_EQ(media.GetSize(), media.fPosition);
    return BytesOf(media);
}

TEST(StoredDirSpec, DriveRootIsStoredByteForByte)
{
    const TDirSpecPtr root = DirSpecFromWinPath(MakeText(u"C:\\"));
    EXPECT_EQ(Concat({kMagic, Bytes({0, 0, 0, 3}), Text("C:\\")}), StoredBytes(root.get()));
}

TEST(StoredDirSpec, ReadingBackGivesTheSameFolderAndMovesPastTheReference)
{
    CScratchFolder folder;
    const std::string path = NSTextPackage::UTF16ToUTF8(folder.FolderPath());
    const TBytes stored = StoredBytes(folder.Spec());
    const u32 n = u32(path.size());
    EXPECT_EQ(Concat({kMagic, Bytes({u8(n >> 24), u8(n >> 16), u8(n >> 8), u8(n)}), Text(path)}), stored);

    NSFerrant::COwnedMemoryMedia media = MediaOf(Concat({Text("ab"), stored, Text("tail")}));
    media.fPosition = 2;
    const TDirSpecPtr back = ReadDirSpec(media);
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(folder.FolderPath(), GetDirWinPath(back.get()));
    EXPECT_EQ(i64(2 + stored.size()), media.fPosition);
}

TEST(StoredDirSpec, LengthCountsUTF8BytesNotUnits)
{
    CScratchFolder folder;
    const TUTF16String name = MakeText(u"Gr\u00FC\u00DFe \u266A");
    const TDirSpecPtr child = CreateChildDirectory(folder.Spec(), name);
    const TBytes stored = StoredBytes(child.get());
    const std::string path = NSTextPackage::UTF16ToUTF8(folder.FolderPath() + name + MakeText(u"\\"));
    ASSERT_GT(path.size(), (folder.FolderPath() + name).size() + 1);
    EXPECT_EQ(path.size(), NSByteOrder::ReadBE32(stored.data() + 4));
    EXPECT_EQ(Text(path), TBytes(stored.begin() + 8, stored.end()));

    NSFerrant::COwnedMemoryMedia media = MediaOf(stored);
    EXPECT_EQ(GetDirWinPath(child.get()), GetDirWinPath(ReadDirSpec(media).get()));
}

TEST(StoredDirSpec, BadMagicIsAFormatViolationAfterTheFourMagicBytes)
{
    CScratchFolder folder;
    TBytes stored = StoredBytes(folder.Spec());
    stored[0] ^= 0x01;
    NSFerrant::COwnedMemoryMedia media = MediaOf(stored);
    EXPECT_EQ(u32(kFailureCode_RuntimeError_FormatViolation), ThrownKind([&] { ReadDirSpec(media); }));
    EXPECT_EQ(4, media.fPosition);
}

TEST(StoredDirSpec, DeletedFolderReadsAsNone)
{
    TBytes stored;
    {
        CScratchFolder folder;
        stored = StoredBytes(folder.Spec());
    }
    NSFerrant::COwnedMemoryMedia media = MediaOf(stored);
    EXPECT_EQ(nullptr, ReadDirSpec(media));
    EXPECT_EQ(i64(stored.size()), media.fPosition);
}

struct LengthCase
{
    const char* what;
    TBytes data;
    u32 kind;
};

TEST(StoredDirSpec, UntrustedLengthsAreCheckedBeforeTheyAllocate)
{
    const LengthCase cases[] = {
        {"length beyond the data", Concat({kMagic, Bytes({0, 0, 0, 10}), Text("C:\\")}),
         kFailureCode_RuntimeError_FormatViolation},
        {"huge length", Concat({kMagic, Bytes({0xFF, 0xFF, 0xFF, 0xFF}), Text("C:\\")}),
         kFailureCode_RuntimeError_FormatViolation},
        {"longer than any path", Concat({kMagic, Bytes({0, 0, 0x03, 0x0D}), TBytes(781, 'a')}),
         kFailureCode_RuntimeError_FormatViolation},
        {"bad UTF-8", Concat({kMagic, Bytes({0, 0, 0, 2}), Bytes({0xC3, 0x28})}),
         kFailureCode_RuntimeError_FormatViolation},
    };
    for (const LengthCase& c : cases)
    {
        NSFerrant::COwnedMemoryMedia media = MediaOf(c.data);
        EXPECT_EQ(c.kind, ThrownKind([&] { ReadDirSpec(media); })) << c.what;
    }
}

TBytes StoredPath(const std::string& path)
{
    TBytes bytes = kMagic;
    PutBE32(bytes, u32(path.size()));
    return Concat({bytes, Text(path)});
}

TEST(StoredDirSpec, PathsNoFolderCanHaveAreFormatViolations)
{
    const char* const paths[] = {
        "",
        "Data\\",
        "\\Data\\",
        "C:",
        "C:Data\\",
        "CON",
        "C:\\NUL\\",
        "C:\\Data\\com1.txt\\",
        "C:\\Da*ta\\",
        "C:\\Data?\\",
        "C:\\Data:x\\",
        "C:\\Data\\\\",
    };
    for (const char* path : paths)
    {
        NSFerrant::COwnedMemoryMedia media = MediaOf(StoredPath(path));
        EXPECT_EQ(u32(kFailureCode_RuntimeError_FormatViolation), ThrownKind([&] { ReadDirSpec(media); })) << path;
    }
    // Longer than a Windows path, yet within the byte bound of a stored one.
    const std::string longPath = "C:\\" + std::string(300, 'a') + "\\";
    NSFerrant::COwnedMemoryMedia media = MediaOf(StoredPath(longPath));
    EXPECT_EQ(u32(kFailureCode_RuntimeError_FormatViolation), ThrownKind([&] { ReadDirSpec(media); }));
}
} // namespace
