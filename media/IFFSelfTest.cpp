#include "media/IFFSelfTest.h"

#include "media/IFFReader2.h"
#include "media/IFFWriter2.h"

#include <vector>

using namespace NSFerrant;

namespace
{
struct TTestChunk
{
    TFourCC fID;
    std::vector<u8> fData;
};

struct TTestList
{
    TFourCC fType;
    std::vector<TTestChunk> fChunks;
};

constexpr TFourCC kFormType = MakeFourCC("Tuta");

// Odd sizes on purpose: the pad bytes are part of what is tested.
const std::vector<TTestList>& TestLists()
{
    static const std::vector<TTestList> lists = {
        {MakeFourCC("Lst1"),
         {{MakeFourCC("Cnk1"), {0x01, 0x02}},
          {MakeFourCC("Cnk2"), {0x03, 0x04, 0x05}},
          {MakeFourCC("Cnk3"), {0x06, 0x07, 0x08, 0x09}}}},
        {MakeFourCC("Lst2"), {}},
        {MakeFourCC("Lst3"), {{MakeFourCC("Cnk4"), {0x0A, 0x0B, 0x0C, 0x0D, 0x0E}}}},
    };
    return lists;
}
} // namespace

void CIFFTests::Test1()
{
    COwnedMemoryMedia media(10);
    WriteTestStructure(media);
    media.fPosition = 0;
    ReadTestStructure(media);
}

void CIFFTests::WriteTestStructure(CMedia& media)
{
    CIFFWriter2 root(media);
    const TIFFChunk form = root.BeginFORM(kFormType);
    {
        CIFFWriter2 formWriter(root, form);
        for (const TTestList& list : TestLists())
        {
            const TIFFChunk listChunk = formWriter.BeginLIST(list.fType);
            CIFFWriter2 listWriter(formWriter, listChunk);
            for (const TTestChunk& chunk : list.fChunks)
                listWriter.WriteChunk(chunk.fID, i64(chunk.fData.size()), chunk.fData.data());
            formWriter.EndChunk(listChunk, listWriter.GetMedia().fPosition);
        }
        root.EndChunk(form, formWriter.GetMedia().fPosition);
    }
}

void CIFFTests::ReadTestStructure(CMedia& media)
{
    // Every group and chunk written must be found again with the same bytes; a reader that
    // finds nothing must not pass.
    CIFFReader2 root(media);
    TIFFChunk form;
    TEST_VERIFY(root.FindFORM(kFormType, form));
    CIFFReader2 formReader(root, form);
    for (const TTestList& list : TestLists())
    {
        TIFFChunk listChunk;
        TEST_VERIFY(formReader.FindLIST(list.fType, listChunk));
        CIFFReader2 listReader(formReader, listChunk);
        for (const TTestChunk& expected : list.fChunks)
        {
            TIFFChunk chunk;
            TEST_VERIFY(listReader.FindChunk(expected.fID, chunk));
            std::vector<u8> data(size_t(GetChunkDataSize(chunk)));
            listReader.ReadChunkData(chunk, data.data());
            TEST_VERIFY(data == expected.fData);
        }
    }
}

namespace NSTestPackage
{
void AddIFFTest(CTestSuite& suite, const std::string& testName)
{
    suite.fCases.push_back(std::make_shared<CTestRunner<CIFFTests>>(testName, &CIFFTests::Test1));
}
} // namespace NSTestPackage
