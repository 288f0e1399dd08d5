// Resource loading against the program's own resources, which this test executable links.
#include "base/CodeModule.h"
#include "base/Quorral.h"
#include "base/ResourceFile.h"
#include "base/TextConversions.h"
#include "media/Media.h"
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

std::string MediaBytes(NSFerrant::CMedia& media)
{
    std::string bytes(std::size_t(media.GetSize()), '\0');
    media.Read(0, media.GetSize(), bytes.data());
    return bytes;
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
        EXPECT_EQ(MediaBytes(*media), NSTestSupport::ReadSourceFile(c.sourceFile)) << c.sourceFile;
    }
}

TEST_F(ResourceFileTest, LoadsTheLogOnDialogTemplateAsAStandardDialog)
{
    const NSFerrant::COpenResourceFile resources;
    const auto media = resources.LoadResourceMedia(NSFerrant::TResourceID(Text("DLOG"), 170));
    const std::string bytes = MediaBytes(*media);
    ASSERT_GT(bytes.size(), 26u);
    const auto u16At = [&](std::size_t offset) { return u16(u8(bytes[offset]) | (u8(bytes[offset + 1]) << 8)); };
    EXPECT_EQ(u16At(0), 1);        // extended template
    EXPECT_EQ(u16At(2), 0xFFFF);
    EXPECT_EQ(u16At(16), 8);       // items
    EXPECT_EQ(u16At(22), 214);     // width in dialog units
    EXPECT_EQ(u16At(24), 95);      // height
    const std::u16string caption = u"^0 Installation";
    // No menu and the default class (one zero unit each), then the caption.
    EXPECT_EQ(u16At(26), 0);
    EXPECT_EQ(u16At(28), 0);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(bytes.data() + 30), caption.size()), caption);
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
    EXPECT_EQ(MediaBytes(*resources.LoadResourceMedia(version)),
              std::string(static_cast<const char*>(kernelVersion), std::size_t(size)));

    EXPECT_EQ(MediaBytes(*resources.LoadResourceMedia(NSFerrant::MakeStringID(128, 18))),
              NSTestSupport::ReadSourceFile("app/resources/tables/SSTR-128.txt"));
}

TEST(ResourceFileWithoutModule, IsAnIllegalCallNotACrash)
{
    ASSERT_EQ(NSFerrant::GetCurrentCodeModule(), nullptr);
    EXPECT_THROW(NSFerrant::COpenResourceFile(), NSQuorral::XIllegalCallSequence);
}
} // namespace
