#include "packing/ProcessorRegistry.h"

#include "content/package/PackedFileTypes.h"
#include "packing/PatchProcessors.h"
#include "packing/SampleProcessors.h"
#include "tests/packing/ProcessorTestSupport.h"

#include <cctype>

namespace
{
using namespace NSPackingTests;
using NSVantlePacking::FindPackedDataVerifier;
using NSVantlePacking::FindPacker;
using NSVantlePacking::FindVerifier;

class ProcessorRegistry : public CProcessorTest
{
};

TEST_F(ProcessorRegistry, BindsEveryExtensionOfTheTableToItsProcessors)
{
    struct TRow
    {
        const char* extension;
        u32 packedType;
    };
    const TRow kRows[] = {
        {".pad", 14}, {".aif", 11}, {".aiff", 11}, {".wav", 11}, {".wave", 11}, {".jpeg", 9}, {".jpg", 9},
        {".mid", 10}, {".midi", 10}, {".tessaro", 34}, {".tsndemo", 35}, {".tei", 42}, {".teidemo", 43},
        {".telt", 40}, {".teltdemo", 41}, {".tns", 1}, {".tps", 13}, {".dicta", 26}, {".dicdemo", 27},
        {".tee", 31}, {".teedemo", 32}, {".tltd", 33}, {".cpw", 12}, {".kv2", 6}, {".kiv2", 6}, {".kiv", 7},
        {".sf2", 16}, {".shuf", 23}, {".crv", 2}, {".yw6", 18}, {".hw7", 19}, {".pln", 3}, {".otl", 17},
        {".brd", 20}, {".tbp", 5}, {".lkn", 4}, {".ond", 15}, {".vesk", 21}, {".lmn", 22}, {".brk", 29},
        {".brkd", 30}, {".snapjaw", 36}, {".tapline", 37}, {".pestlar", 38}, {".gmpatch", 39},
    };
    for (const TRow& row : kRows)
    {
        const CItemPtr item = SourceFile(std::string("file") + row.extension, {});
        IFileTypePacker* packer = FindPacker(item);
        ASSERT_NE(packer, nullptr) << row.extension;
        EXPECT_EQ(packer->GetPackedType(), row.packedType) << row.extension;
        EXPECT_NE(FindVerifier(item), nullptr) << row.extension;
        EXPECT_NE(FindPackedDataVerifier(row.packedType), nullptr) << row.extension;
        // Extensions are matched whatever their case; a longer one is another extension.
        std::string upper = std::string("UPPER") + row.extension;
        for (char& c : upper)
            c = char(std::toupper(u8(c)));
        EXPECT_EQ(FindPacker(SourceFile(upper, {})), packer) << row.extension;
        EXPECT_EQ(FindPacker(SourceFile(std::string("longer") + row.extension + "x", {})), nullptr) << row.extension;
    }
}

TEST_F(ProcessorRegistry, UnknownAndDroppedTypesAnswerNothing)
{
    for (const char* name : {"notes.txt", "setup.exe", "sample.korb", "picture.tif", "noextension", "a.png"})
    {
        const CItemPtr item = SourceFile(name, {});
        EXPECT_EQ(FindVerifier(item), nullptr) << name;
        EXPECT_EQ(FindPacker(item), nullptr) << name;
    }
    // Packed types no packer writes: TIFF, the unused codes, codes beyond the table.
    for (u32 packedType : {0u, 8u, 24u, 25u, 28u, 44u, 0xFFFFFFFFu})
        EXPECT_EQ(FindPackedDataVerifier(packedType), nullptr) << packedType;
}

TEST_F(ProcessorRegistry, SharesOneVerifierForPackedSamplesAndTheLumenVerifierForSourceAndPackedData)
{
    IFileTypeVerifier* korb = FindPackedDataVerifier(kPackedTypeKORB);
    EXPECT_NE(dynamic_cast<CKORBPackedFileVerifier*>(korb), nullptr);
    EXPECT_NE(dynamic_cast<CAIFFFileVerifier*>(FindVerifier(SourceFile("a.aif", {}))), nullptr);
    EXPECT_NE(dynamic_cast<CWAVEFileVerifier*>(FindVerifier(SourceFile("a.wav", {}))), nullptr);

    const CItemPtr lumen = SourceFile("preset.lmn", {});
    IFileTypeVerifier* lumenVerifier = FindVerifier(lumen);
    EXPECT_NE(dynamic_cast<CLMNPatchFileTypeVerifier*>(lumenVerifier), nullptr);
    EXPECT_EQ(FindPackedDataVerifier(kPackedTypeLumenPatch), lumenVerifier);
    EXPECT_NE(dynamic_cast<CPatchFileTypeProcessor*>(FindPacker(lumen)), nullptr);
}

TEST_F(ProcessorRegistry, IsBuiltOnceAndKeepsItsProcessors)
{
    const CItemPtr item = SourceFile("song.tns", {});
    IFileTypePacker* packer = FindPacker(item);
    IFileTypeVerifier* verifier = FindVerifier(item);
    NSVantlePacking::BuildProcessorRegistry();
    EXPECT_EQ(FindPacker(item), packer);
    EXPECT_EQ(FindVerifier(item), verifier);
    // A processor serves as its own source verifier.
    EXPECT_EQ(dynamic_cast<IFileTypeVerifier*>(packer), verifier);
}
} // namespace
