#include "media/IFFSelfTest.h"

#include "base/ExceptionClasses.h"
#include "base/Media.h"
#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

using namespace NSTestSupport;

namespace
{
// "FORM" 88 "Tuta" { "LIST" 38 "Lst1" {Cnk1 01 02, Cnk2 03 04 05 pad, Cnk3 06..09},
// "LIST" 4 "Lst2", "LIST" 18 "Lst3" {Cnk4 0A..0E pad} }, sizes big-endian.
const TBytes kIFFTestStructure = Concat({
    Text("FORM"),         Bytes({0, 0, 0, 88}),
    Text("Tuta"),         Text("LIST"),
    Bytes({0, 0, 0, 38}), Text("Lst1"),
    Text("Cnk1"),         Bytes({0, 0, 0, 2, 0x01, 0x02}),
    Text("Cnk2"),         Bytes({0, 0, 0, 3, 0x03, 0x04, 0x05, 0x00}),
    Text("Cnk3"),         Bytes({0, 0, 0, 4, 0x06, 0x07, 0x08, 0x09}),
    Text("LIST"),         Bytes({0, 0, 0, 4}),
    Text("Lst2"),         Text("LIST"),
    Bytes({0, 0, 0, 18}), Text("Lst3"),
    Text("Cnk4"),         Bytes({0, 0, 0, 5, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x00}),
});

TEST(IFFSelfTest, WritesTheStructureByteForByte)
{
    ASSERT_EQ(kIFFTestStructure.size(), 96u);
    NSFerrant::COwnedMemoryMedia media(10);
    CIFFTests::WriteTestStructure(media);
    EXPECT_EQ(BytesOf(media), kIFFTestStructure);
}

TEST(IFFSelfTest, ReadingBackWhatWasWrittenPasses)
{
    NSFerrant::COwnedMemoryMedia media = MediaOf(kIFFTestStructure);
    EXPECT_NO_THROW(CIFFTests::ReadTestStructure(media));
    EXPECT_NO_THROW(CIFFTests("Test 1").Test1());
}

// Reading checks what it finds: a missing group or chunk and a changed byte each fail a check.
TEST(IFFSelfTest, ReadingFailsWhereTheStructureIsNotAsWritten)
{
    struct Case
    {
        const char* name;
        size_t offset; // where one byte is changed; past the end: an empty medium
        u8 value;
    };
    const Case kCases[] = {
        {"an empty medium", 96, 0},
        {"another FORM type", 8 + 3, 'x'},           // "Tutx"
        {"another type of the empty LIST", 58 + 11, '9'}, // "Lst9"
        {"a chunk under another id", 46 + 3, '9'},     // "Cnk9"
        {"a changed data byte", 24 + 9, 0x7F},         // Cnk1 01 7F
        {"a changed last data byte", 82 + 12, 0x7F},   // Cnk4 .. 0D 7F
    };
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.name);
        TBytes bytes;
        if (c.offset < kIFFTestStructure.size())
        {
            bytes = kIFFTestStructure;
            bytes[c.offset] = c.value;
        }
        NSFerrant::COwnedMemoryMedia media = MediaOf(bytes);
        EXPECT_THROW(CIFFTests::ReadTestStructure(media), NSQuorral::XUnitTestFailure);
    }
}

TEST(IFFSelfTest, ReadingAGroupSmallerThanItsTypeFails)
{
    TBytes bytes = kIFFTestStructure;
    bytes[58 + 7] = 2; // "Lst2" with a size below its 4-byte type
    NSFerrant::COwnedMemoryMedia media = MediaOf(bytes);
    EXPECT_THROW(CIFFTests::ReadTestStructure(media), NSQuorral::XFormatViolation);
}
} // namespace
