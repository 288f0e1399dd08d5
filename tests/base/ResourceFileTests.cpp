// Resource loading against the program's own resources, which this test executable links.
#include "base/ByteOrder.h"
#include "base/CodeModule.h"
#include "base/Quorral.h"
#include "base/ResourceFile.h"
#include "base/TextConversions.h"
#include "base/Media.h"
#include "tests/support/MediaBytes.h"
#include "tests/support/SourceTree.h"

#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace
{
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
        nullptr, MakeText(u"VantlePacker.exe"), MakeText(u"Vantle Packer"), GetModuleHandleW(nullptr))};
};

TEST_F(ResourceFileTest, LoadsTheExactBytesOfEachKindOfResource)
{
    const struct
    {
        NSFerrant::TResourceID id;
        const char* sourceFile;
    } kCases[] = {
        {NSFerrant::TResourceID(MakeText(u"SSTR"), 128), "app/resources/tables/SSTR-128.txt"},
        // An entry id loads the whole resource that holds the entry.
        {NSFerrant::MakeAlertID(301, 5), "app/resources/tables/SALR-301.txt"},
        {NSFerrant::MakeMenuID(2), "app/resources/menus/SMNU-128.txt"},
        {NSFerrant::TResourceID(MakeText(u"PNGF"), 1000), "app/resources/images/About.png"},
        {NSFerrant::TResourceID(MakeText(u"PNGF"), 1002), "app/resources/images/HostFolderNotOk.png"},
    };
    const NSFerrant::COpenResourceFile resources;
    for (const auto& c : kCases)
    {
        const auto media = resources.LoadResourceMedia(c.id);
        EXPECT_EQ(media->fPosition, 0) << c.sourceFile;
        EXPECT_EQ(BytesOf(*media), SourceBytes(c.sourceFile)) << c.sourceFile;
    }
}

// Reads the parts of an extended dialog template that the log-on dialog's layout relies on.
class CDialogTemplateReader
{
public:
    explicit CDialogTemplateReader(const NSTestSupport::TBytes& bytes) : fBytes(bytes) {}

    u16 U16() { return Advance(2), NSByteOrder::ReadLE16(&fBytes[fOffset - 2]); }
    u32 U32() { return Advance(4), NSByteOrder::ReadLE32(&fBytes[fOffset - 4]); }
    // A zero-terminated text, or an ordinal after 0xFFFF, which reads as "#n".
    std::string TextOrOrdinal()
    {
        std::string text;
        for (u16 unit = U16(); unit != 0; unit = U16())
        {
            if (unit == 0xFFFF && text.empty())
                return "#" + std::to_string(U16());
            text += unit < 128 ? char(unit) : '?';
        }
        return text;
    }
    void AlignTo4() { fOffset = (fOffset + 3) & ~std::size_t(3); }
    void Skip(std::size_t count) { Advance(count); }

private:
    void Advance(std::size_t count)
    {
        if (fOffset + count > fBytes.size())
            throw std::out_of_range("dialog template ends early");
        fOffset += count;
    }

    const NSTestSupport::TBytes& fBytes;
    std::size_t fOffset = 0;
};

TEST_F(ResourceFileTest, TheLogOnDialogTemplateHoldsItsItemsInOrder)
{
    const NSFerrant::COpenResourceFile resources;
    const NSTestSupport::TBytes bytes = BytesOf(*resources.LoadResourceMedia(NSFerrant::TResourceID(MakeText(u"DLOG"), 170)));
    CDialogTemplateReader reader(bytes);
    EXPECT_EQ(reader.U16(), 1);      // extended template
    EXPECT_EQ(reader.U16(), 0xFFFF);
    reader.Skip(8);                  // help id, extended style
    const u32 style = reader.U32();
    EXPECT_NE(style & DS_SETFONT, 0u);
    EXPECT_EQ(reader.U16(), 8);      // items
    reader.Skip(4);                  // x, y
    EXPECT_EQ(reader.U16(), 214);
    EXPECT_EQ(reader.U16(), 95);
    EXPECT_EQ(reader.TextOrOrdinal(), "");  // no menu
    EXPECT_EQ(reader.TextOrOrdinal(), "");  // the default class
    EXPECT_EQ(reader.TextOrOrdinal(), "^0 Installation");
    EXPECT_EQ(reader.U16(), 9);      // point size
    reader.Skip(4);                  // weight, italic, character set
    EXPECT_EQ(reader.TextOrOrdinal(), "Segoe UI");

    const struct
    {
        u32 id;
        const char* control; // class ordinal: button, edit, static
        const char* text;
        u16 x, y, width, height;
    } kItems[] = {
        {1, "#128", "OK", 51, 74, 50, 14},
        {2, "#128", "Cancel", 104, 74, 50, 14},
        {3, "#130", "Please log on as administrator", 24, 6, 122, 9},
        {5, "#129", "", 72, 28, 114, 12},
        {7, "#129", "", 72, 46, 114, 12},
        {4, "#130", "User name:", 24, 30, 48, 9},
        {6, "#130", "Password:", 24, 48, 48, 9},
        {8, "#128", "Help", 157, 74, 50, 14},
    };
    for (const auto& item : kItems)
    {
        reader.AlignTo4();
        reader.Skip(8); // help id, extended style
        const u32 itemStyle = reader.U32();
        const u16 x = reader.U16();
        const u16 y = reader.U16();
        const u16 width = reader.U16();
        const u16 height = reader.U16();
        EXPECT_EQ(reader.U32(), item.id);
        EXPECT_EQ(reader.TextOrOrdinal(), item.control) << item.id;
        EXPECT_EQ(reader.TextOrOrdinal(), item.text) << item.id;
        EXPECT_EQ(reader.U16(), 0) << item.id; // no creation data
        EXPECT_EQ(std::vector<u16>({x, y, width, height}),
                  std::vector<u16>({item.x, item.y, item.width, item.height}))
            << item.id;
        if (item.id == 1)
        {
            EXPECT_EQ(itemStyle & 0xF, u32(BS_DEFPUSHBUTTON));
        }
        if (std::string(item.control) == "#129")
        {
            EXPECT_EQ(itemStyle & (WS_BORDER | ES_AUTOHSCROLL), u32(WS_BORDER | ES_AUTOHSCROLL)) << item.id;
        }
    }
}

TEST_F(ResourceFileTest, MissingOrEmptyIdsFailAsRuntimeErrorsOfKind17)
{
    const NSFerrant::COpenResourceFile resources;
    for (const NSFerrant::TResourceID& id :
         {NSFerrant::TResourceID(), NSFerrant::TResourceID(MakeText(u"SSTR"), 999), NSFerrant::MakeStringID(2001, 0),
          NSFerrant::TResourceID(MakeText(u"dlog"), 170)})
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

    const NSFerrant::TResourceID version(MakeText(u"#16"), 1);
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
