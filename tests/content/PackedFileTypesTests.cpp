// Packed types: which entries are stored compressed and which file types entries match.
#include "content/package/ContentFileTypes.h"
#include "content/package/PackedFileTypes.h"
#include "media/IFFChunk.h"

#include <gtest/gtest.h>

using namespace NSFileLibSupport;
using NSFerrant::MakeFourCC;

namespace
{
TEST(PackedFileTypes, OnlyBraiderPatchesAreCompressed)
{
    for (u32 type = 0; type < 300; ++type)
        EXPECT_EQ(IsCompressedEntryType(type), type == 20) << type;
}

TEST(PackedFileTypes, SamplesMatchByExtensionOrTypeCode)
{
    EXPECT_TRUE(IsPackedTypeOfType(kPackedTypeKORB, MakeFileTypeDescriptor(".wav;.korb", 0)));
    EXPECT_TRUE(IsPackedTypeOfType(kPackedTypeKORB, MakeFileTypeDescriptor(".other", MakeFourCC("KoRB"))));
    EXPECT_TRUE(IsPackedTypeOfType(kPackedTypeKORB, GetContentFileType(kContentFileTypeKORB)));
    EXPECT_FALSE(IsPackedTypeOfType(kPackedTypeKORB, MakeFileTypeDescriptor(".kor;.rb", MakeFourCC("KORB"))));
    EXPECT_FALSE(IsPackedTypeOfType(kPackedTypeKORB, MakeFileTypeDescriptor("", 0)));
    EXPECT_FALSE(IsPackedTypeOfType(kPackedTypeKORB, GetContentFileType(kContentFileTypeTIFF)));
    EXPECT_TRUE(IsPackedTypeOfType(kPackedTypeTIFF, MakeFileTypeDescriptor(".x", MakeFourCC("TIFF"))));
}

TEST(PackedFileTypes, TypesWithoutADescriptorMatchNothing)
{
    const SFileTypeDescriptor empty = MakeFileTypeDescriptor("", 0);
    for (const u32 type : {0u, 14u, 22u, 24u, 25u, 26u, 27u, 28u, 36u, 37u, 38u, 44u, 255u, 0xFFFFFFFFu})
    {
        EXPECT_EQ(GetPackedFileTypeDescriptor(type), nullptr) << type;
        EXPECT_FALSE(IsPackedTypeOfType(type, empty)) << type;
        EXPECT_FALSE(IsPackedTypeOfType(type, MakeFileTypeDescriptor(".tns;.sf2;.krb", 0))) << type;
    }
}

TEST(PackedFileTypes, ExtensionTypesMatchByTheirExtensionsOnly)
{
    struct Case
    {
        u32 fType;
        const char* fExtension;
    };
    const Case kCases[] = {{kPackedTypeSong, ".tns"},
                           {kPackedTypeKIV2, ".kiv2"},
                           {kPackedTypeKIV2, ".KV2"},
                           {kPackedTypeKIV, ".kiv"},
                           {kPackedTypeJPEG, ".jpg"},
                           {kPackedTypeMIDI, ".midi"},
                           {kPackedTypeSoundFont, ".sf2"},
                           {kPackedTypeBraiderPatch, ".brd"},
                           {kPackedTypeBrakkaDrumPatch, ".brkd"},
                           {kPackedTypeTeiDemoSong, ".teidemo"}};
    for (const Case& c : kCases)
    {
        EXPECT_TRUE(IsPackedTypeOfType(c.fType, MakeFileTypeDescriptor(c.fExtension, 0))) << c.fType;
        const SFileTypeDescriptor* descriptor = GetPackedFileTypeDescriptor(c.fType);
        ASSERT_NE(descriptor, nullptr);
        EXPECT_EQ(descriptor->typeCode, 0u) << "matched by its extension list alone";
    }
    EXPECT_FALSE(IsPackedTypeOfType(kPackedTypeKIV, MakeFileTypeDescriptor(".kiv2", 0)));
    EXPECT_FALSE(IsPackedTypeOfType(kPackedTypeBrakkaPatch, MakeFileTypeDescriptor(".brkd", 0)));
}

TEST(PackedFileTypes, ContentModelDescriptors)
{
    struct Case
    {
        EContentFileType fType;
        const char* fExtension;
        const char (&fCode)[5];
    };
    const Case kCases[] = {{kContentFileTypePackage, ".vtl", "VTL "},
                           {kContentFileTypeKORB, ".korb", "KoRB"},
                           {kContentFileTypeTIFF, ".tiff", "TIFF"},
                           {kContentFileTypeLoopSlice, ".kivs", "KIVs"},
                           {kContentFileTypeSoundFontPreset, ".sf2p", "SF2p"},
                           {kContentFileTypeSoundFontSample, ".sf2s", "SF2s"}};
    for (const Case& c : kCases)
    {
        const SFileTypeDescriptor& type = GetContentFileType(c.fType);
        EXPECT_EQ(type.typeCode, MakeFourCC(c.fCode)) << c.fExtension;
        EXPECT_TRUE(DoFileTypesMatch(type, MakeFileTypeDescriptor(c.fExtension, 0))) << c.fExtension;
    }
    EXPECT_EQ(&GetContentFileType(kContentFileTypePackage), &GetContentFileType(kContentFileTypePackage))
        << "built once";
}
} // namespace
