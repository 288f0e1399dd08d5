// The block container's medium over an item: it reads the item's bytes while open and changes
// nothing.
#include "tests/content/vfs/ContentTestSupport.h"

#include "base/ExceptionClasses.h"
#include "content/vfs/BigFileItemReferenceMedia.h"

namespace NSContentTests
{
namespace
{
using BigFileItemReferenceMediaTest = CItemTest;

TEST_F(BigFileItemReferenceMediaTest, ReadsTheItemsBytesAndChangesNothing)
{
    MakeFile("song.bin", "0123456789");
    NSBigFileUtils::CBigFileItemReferenceMedia medium(FileItem("song.bin"));
    EXPECT_TRUE(medium.Exists());
    EXPECT_TRUE(medium.IsReadOnly());
    EXPECT_FALSE(medium.IsEmpty());
    EXPECT_EQ(medium.GetSize(), 10u);
    u8 bytes[4] = {};
    EXPECT_THROW(medium.Read(0, 4, bytes), NSQuorral::XRead);

    medium.Open();
    medium.Read(3, 4, bytes);
    EXPECT_EQ(std::string(bytes, bytes + 4), "3456");
    medium.Write(0, 4, reinterpret_cast<const u8*>("abcd"));
    medium.SetSize(2);
    medium.Flush();
    medium.Delete();
    medium.Read(0, 4, bytes);
    EXPECT_EQ(std::string(bytes, bytes + 4), "0123");
    EXPECT_EQ(medium.GetSize(), 10u);
    medium.Close();
    EXPECT_EQ(Scratch().Read(u"song.bin"), "0123456789");
}

TEST_F(BigFileItemReferenceMediaTest, WithoutAnItemNothingExists)
{
    NSBigFileUtils::CBigFileItemReferenceMedia medium{CItemPtr()};
    EXPECT_FALSE(medium.Exists());
    EXPECT_EQ(medium.GetSize(), 0u);
}
} // namespace
} // namespace NSContentTests
