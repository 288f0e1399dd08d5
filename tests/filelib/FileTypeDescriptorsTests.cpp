// File-type descriptors: extension lists, matching, first extensions and friendly names.
#include "filelib/FileTypeDescriptors.h"
#include "filelib/FileTypeNames.h"
#include "tests/filelib/ScratchFolder.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <string>

using namespace NSFileLibSupport;

namespace
{
// The list as the zero-terminated units a descriptor holds.
TUTF16String List(const std::string& ascii)
{
    return NSTextPackage::TUTF16String(ascii.begin(), ascii.end());
}

struct NameCase
{
    const char* list;
    const char* name;
    bool inList;
};
const NameCase kNameCases[] = {
    {".kv2;.kiv2", ".KIV2", true},
    {".kv2;.kiv2", ".kv2", true},
    {".kv2;.kiv2", ".kiv", false},
    {".kv2;.kiv2", "kv2", false},
    {".sf2", ".SF2", true},
    {".sf2", ".sf", false},
    {".sf2", "", false},
    {".a;;.c", ".c", false}, // an empty entry ends the walk
    {".a;;.c", ".a", true},
    {";.a", ".a", false}, // a leading separator ends it at once
    {".a;", ".a", true},
    {".a;", "", true}, // the empty entry after a final separator is compared
    {"", "", true},
};

TEST(FileTypeDescriptors, IsNameInListFollowsTheEntryRules)
{
    for (const NameCase& c : kNameCases)
        EXPECT_EQ(c.inList, IsNameInList(List(c.list).c_str(), List(c.name))) << c.list << " / " << c.name;
}

struct MatchCase
{
    const char* typeList;
    u32 typeCode;
    const char* candidateList;
    u32 candidateCode;
    bool match;
};
constexpr u32 kText = 0x54455854; // 'TEXT'
constexpr u32 kKiv = 0x4B495620;  // 'KIV '
const MatchCase kMatchCases[] = {
    {".txt", kText, ".png", kText, true}, // equal codes, nothing in common
    {".txt;.doc", 0, ".doc", 0, true},
    {".txt;.doc", 0, ".rtf;.DOC", kKiv, true}, // a shared extension beats different codes
    {".txt;.doc", 0, ".rtf", 0, false},
    {".txt", kText, ".kiv", kKiv, false},
    {".txt", 0, ".png", 0, false},       // codes of 0 never match
    {".txt;.doc", 0, ";.doc", 0, false}, // the candidate's walk ends at its empty entry
};

TEST(FileTypeDescriptors, DoFileTypesMatchByCodeOrSharedExtension)
{
    for (const MatchCase& c : kMatchCases)
    {
        const SFileTypeDescriptor type = MakeFileTypeDescriptor(c.typeList, c.typeCode);
        const SFileTypeDescriptor candidate = MakeFileTypeDescriptor(c.candidateList, c.candidateCode);
        EXPECT_EQ(c.match, DoFileTypesMatch(type, candidate)) << c.typeList << " / " << c.candidateList;
    }
}

TEST(FileTypeDescriptors, FirstExtensionIsTheFirstEntry)
{
    const struct
    {
        const char* list;
        const char* first;
    } cases[] = {{".tif;.tiff", ".tif"}, {".png", ".png"}, {"", ""}, {";.png", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(List(c.first), GetFirstExtension(List(c.list).c_str())) << c.list;
}

TEST(FileTypeDescriptors, ListLongerThanTheRecordIsCutAt1024Units)
{
    std::string longList = ".a";
    while (longList.size() < 1500)
        longList += ";.abcdefg";
    const SFileTypeDescriptor descriptor = MakeFileTypeDescriptor(longList, kText);
    EXPECT_EQ(List(longList.substr(0, 1024)), TUTF16String(descriptor.extensions));
    EXPECT_EQ(0, descriptor.extensions[1024]);
    EXPECT_EQ(kText, descriptor.typeCode);
}

TEST(FileTypeDescriptors, DescriptorOfExactly1024UnitsKeepsThemAll)
{
    const std::string list = "." + std::string(1023, 'x');
    const SFileTypeDescriptor descriptor = MakeFileTypeDescriptor(list, 0);
    EXPECT_EQ(1024u, TUTF16String(descriptor.extensions).size());
    EXPECT_TRUE(DoFileTypesMatch(descriptor, MakeFileTypeDescriptor(list, 0)));
}

TEST(FileTypeDescriptors, FriendlyNameOfAnUnknownKindIsItsFirstExtension)
{
    // Wine knows no association for these; the name falls back to the first extension.
    EXPECT_EQ(List(".vtlzz"), GetFileTypeFriendlyName(MakeFileTypeDescriptor(".vtlzz;.vtlyy", 0)));
    EXPECT_EQ(TUTF16String(), GetFileTypeFriendlyName(MakeFileTypeDescriptor("", 0)));
}
TEST(FileTypeNames, FileTheShellCannotDescribeIsNamedByItsExtension)
{
    NSFileLibTests::CScratchFolder folder;
    folder.WriteFile("gone.vt7q", {1});
    const TFileSpecPtr missing = FileSpecFromWinPath(folder.FolderPath() + MakeText(u"gone.vt7q"));
    DeleteChildFileIfExists(folder.Spec(), MakeText(u"gone.vt7q"));
    EXPECT_EQ(MakeText(u".vt7q"), GetFileTypeName(missing.get()));
}

TEST(FileTypeNames, FolderThatNoLongerExistsHasNoTypeName)
{
    TDirSpecPtr gone;
    {
        NSFileLibTests::CScratchFolder folder;
        gone = CloneDirSpec(folder.Spec());
    }
    EXPECT_EQ(TUTF16String(), GetDirTypeName(gone.get()));
}
} // namespace
