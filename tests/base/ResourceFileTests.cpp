// Resource loading against the program's own resources, which this test executable links.
#include "base/ByteOrder.h"
#include "base/CodeModule.h"
#include "base/Quorral.h"
#include "base/ResourceFile.h"
#include "base/TextConversions.h"
#include "media/Media.h"
#include "tests/support/MediaBytes.h"
#include "tests/support/SourceTree.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace
{
NSTextPackage::TUTF16String Text(const char* ascii)
{
    return NSTextPackage::ASCIIToUTF16(ascii, 0);
}

using NSTestSupport::BytesOf;

NSTestSupport::TBytes SourceBytes(const char* relative)
{
    return NSTestSupport::Text(NSTestSupport::ReadSourceFile(relative));
}

// The program's code module over this executable, registered for each test.
class ResourceFileTest : public ::testing::Test
{
protected:
    NSFerrant::CApplicationTarget fModule{NSFerrant::TCodeModuleInfo(
        nullptr, Text("VantlePacker.exe"), Text("Vantle Packer"), GetModuleHandleW(nullptr))};
};

TEST_F(ResourceFileTest, LoadsTheExactBytesOfEachKindOfResource)
{
    const struct
    {
        NSFerrant::TResourceID id;
        const char* sourceFile;
    } kCases[] = {
        {NSFerrant::TResourceID(Text("SSTR"), 128), "app/resources/tables/SSTR-128.txt"},
        // An entry id loads the whole resource that holds the entry.
        {NSFerrant::MakeAlertID(301, 5), "app/resources/tables/SALR-301.txt"},
        {NSFerrant::MakeMenuID(2), "app/resources/menus/SMNU-128.txt"},
        {NSFerrant::TResourceID(Text("PNGF"), 1000), "app/resources/images/About.png"},
        {NSFerrant::TResourceID(Text("PNGF"), 1002), "app/resources/images/HostFolderNotOk.png"},
    };
    const NSFerrant::COpenResourceFile resources;
    for (const auto& c : kCases)
    {
        const auto media = resources.LoadResourceMedia(c.id);
        EXPECT_EQ(media->fPosition, 0) << c.sourceFile;
        EXPECT_EQ(BytesOf(*media), SourceBytes(c.sourceFile)) << c.sourceFile;
    }
}

TEST_F(ResourceFileTest, LoadsTheLogOnDialogTemplateAsAStandardDialog)
{
    const NSFerrant::COpenResourceFile resources;
    const auto media = resources.LoadResourceMedia(NSFerrant::TResourceID(Text("DLOG"), 170));
    const NSTestSupport::TBytes bytes = BytesOf(*media);
    ASSERT_GT(bytes.size(), 60u);
    const auto u16At = [&](std::size_t offset) { return NSByteOrder::ReadLE16(&bytes[offset]); };
    EXPECT_EQ(u16At(0), 1);        // extended template
    EXPECT_EQ(u16At(2), 0xFFFF);
    EXPECT_EQ(u16At(16), 8);       // items
    EXPECT_EQ(u16At(22), 214);     // width in dialog units
    EXPECT_EQ(u16At(24), 95);      // height
    // No menu and the default class (one zero unit each), then the caption.
    EXPECT_EQ(u16At(26), 0);
    EXPECT_EQ(u16At(28), 0);
    const std::string caption = "^0 Installation";
    for (std::size_t i = 0; i <= caption.size(); ++i)
        EXPECT_EQ(u16At(30 + 2 * i), i < caption.size() ? u16(caption[i]) : 0) << i;
}

TEST_F(ResourceFileTest, MissingOrEmptyIdsFailAsRuntimeErrorsOfKind17)
{
    const NSFerrant::COpenResourceFile resources;
    for (const NSFerrant::TResourceID& id :
         {NSFerrant::TResourceID(), NSFerrant::TResourceID(Text("SSTR"), 999), NSFerrant::MakeStringID(2001, 0),
          NSFerrant::TResourceID(Text("dlog"), 170)})
    {
        try
        {
            resources.LoadResourceMedia(id);
            ADD_FAILURE() << id.Describe() << " loaded";
        }
        catch (const std::runtime_error& e)
        {
            EXPECT_EQ(NSQuorral::ClassifyException(e).fKind, 17u) << id.Describe();
            EXPECT_STREQ(e.what(), "") << id.Describe();
        }
    }
}

TEST_F(ResourceFileTest, ASourceReadsTheCurrentModuleAndOwnsNothing)
{
    const NSFerrant::COpenResourceFile resources;
    EXPECT_FALSE(resources.fOwnsModule);
    EXPECT_EQ(resources.fModule, GetModuleHandleW(nullptr));
    EXPECT_FALSE(resources.fSecondary);
}

TEST_F(ResourceFileTest, TheSecondaryModuleIsSearchedFirstAndTheCodeModuleAfterIt)
{
    // kernel32 as the secondary module: it has a version resource 1 as this executable has, and no
    // text tables. "#16" is how Windows names the numeric type of version resources.
    const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    NSFerrant::SetSecondaryResourceFile(NSFerrant::TSharedModule(kernel32, [](HMODULE) {}));
    const NSFerrant::COpenResourceFile resources;
    NSFerrant::SetSecondaryResourceFile({});
    ASSERT_TRUE(resources.fSecondary);

    const NSFerrant::TResourceID version(Text("#16"), 1);
    u64 size = 0;
    const void* kernelVersion = NSFerrant::LockResourceData(kernel32, version, size);
    const auto* kernelBytes = static_cast<const u8*>(kernelVersion);
    EXPECT_EQ(BytesOf(*resources.LoadResourceMedia(version)), NSTestSupport::TBytes(kernelBytes, kernelBytes + size));

    EXPECT_EQ(BytesOf(*resources.LoadResourceMedia(NSFerrant::MakeStringID(128, 18))),
              SourceBytes("app/resources/tables/SSTR-128.txt"));
}

TEST(ResourceFileWithoutModule, IsAnIllegalCallNotACrash)
{
    ASSERT_EQ(NSFerrant::GetCurrentCodeModule(), nullptr);
    EXPECT_THROW(NSFerrant::COpenResourceFile(), NSQuorral::XIllegalCallSequence);
}
} // namespace
