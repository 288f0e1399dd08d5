// Every string, alert, menu, dialog, image and icon id that the program's code writes with literal
// numbers must resolve in the program's resources, which this executable links as the program does.
#include "base/CodeModule.h"
#include "base/ResourceFile.h"
#include "base/TextConversions.h"
#include "gui/IconResourceIDs.h"
#include "gui/TrellisInterface.h"
#include "gui/TrellisUtils.h"
#include "media/Media.h"
#include "tests/support/MediaBytes.h"
#include "tests/support/SourceTree.h"

#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace
{
enum EUse
{
    kString,
    kAlert,
    kMenu,
    kDialog,
    kPNGImage,
    kIconResource,
    kLibraryIcon,
};

struct TUse
{
    EUse fUse;
    u32 fID;
    u32 fIndex;
    std::string fWhere;

    bool operator<(const TUse& other) const
    {
        return std::tie(fUse, fID, fIndex) < std::tie(other.fUse, other.fID, other.fIndex);
    }
};

// The uses written with literal numbers in one source text.
std::vector<TUse> FindUses(const std::string& source, const std::string& where)
{
    static const struct
    {
        EUse use;
        std::regex pattern;
    } kPatterns[] = {
        {kString, std::regex(R"(MakeStringID\s*\(\s*(\d+)\s*,\s*(\d+)\s*\))")},
        {kAlert, std::regex(R"(MakeAlertID\s*\(\s*(\d+)\s*,\s*(\d+)\s*\))")},
        {kMenu, std::regex(R"(MakeMenuID\s*\(\s*(\d+)\s*\))")},
        {kDialog, std::regex(R"(MakeDialogResourceID\s*\(\s*(\d+)\s*\))")},
        {kPNGImage, std::regex(R"(MakePNGImageID\s*\(\s*(\d+)\s*\))")},
        {kIconResource, std::regex(R"(MakeIconResourceID\s*\(\s*(\d+)\s*\))")},
        {kLibraryIcon, std::regex(R"(CreateIcon\s*\(\s*(\d+)\s*\))")},
    };
    std::vector<TUse> uses;
    for (const auto& p : kPatterns)
    {
        for (auto it = std::sregex_iterator(source.begin(), source.end(), p.pattern); it != std::sregex_iterator();
             ++it)
        {
            const std::smatch& m = *it;
            uses.push_back({p.use, u32(std::stoul(m[1])), m.size() > 2 && m[2].matched ? u32(std::stoul(m[2])) : 0,
                            where});
        }
    }
    return uses;
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// Whether the resources answer for the use; the failure's text otherwise.
std::string Resolve(const TUse& use)
{
    const NSFerrant::COpenResourceFile resources;
    try
    {
        switch (use.fUse)
        {
        case kString:
            return NSTrellisUtils::GetResourceText(NSFerrant::MakeStringID(u16(use.fID), u16(use.fIndex))).empty()
                       ? "empty text"
                       : "";
        case kAlert:
            return NSTrellisUtils::GetResourceText(NSFerrant::MakeAlertID(u16(use.fID), u16(use.fIndex))).empty()
                       ? "empty text"
                       : "";
        case kMenu:
        {
            const auto script = NSTestSupport::BytesOf(*resources.LoadResourceMedia(NSFerrant::MakeMenuID(0)));
            const std::regex menu("(^|\\n)\\s*" + std::to_string(use.fID) + "\\s*\\{");
            return std::regex_search(std::string(script.begin(), script.end()), menu) ? "" : "no such menu";
        }
        case kDialog:
            resources.LoadResourceMedia(NSFerrant::TResourceID(MakeText(u"DLOG"), i16(use.fID)));
            return "";
        case kPNGImage:
        {
            const auto png =
                NSTestSupport::BytesOf(*resources.LoadResourceMedia(NSFerrant::TResourceID(MakeText(u"PNGF"), i16(use.fID))));
            return png.size() > 8 && png[1] == 'P' && png[2] == 'N' && png[3] == 'G' ? "" : "not a PNG";
        }
        case kIconResource:
            NSTrellisUtils::CreateIconFromResource(NSFerrant::MakeIconResourceID(u16(use.fID)));
            return "";
        case kLibraryIcon:
            NSTrellisUtils::CreateIcon(use.fID);
            return "";
        }
    }
    catch (const std::exception& e)
    {
        return std::string("failed: ") + typeid(e).name();
    }
    return "unknown use";
}

class ProgramResourcesTest : public ::testing::Test
{
protected:
    void SetUp() override { CreateTrellisInterface(); }
    void TearDown() override { ReleaseTrellisInterface(); }

    NSFerrant::CApplicationTarget fModule{NSFerrant::TCodeModuleInfo(
        nullptr, MakeText(u"VantlePacker.exe"), MakeText(u"Vantle Packer"), GetModuleHandleW(nullptr))};
};

TEST_F(ProgramResourcesTest, EveryIdTheCodeUsesResolves)
{
    std::set<TUse> uses;
    int files = 0;
    for (const char* folder : {"base", "filelib", "media", "content", "packing", "gui", "app"})
    {
        const std::filesystem::path root = NSTestSupport::GetSourcePath(folder);
        if (!std::filesystem::exists(root))
            continue;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        {
            const std::string extension = entry.path().extension().string();
            if (extension != ".cpp" && extension != ".h")
                continue;
            ++files;
            for (const TUse& use : FindUses(ReadFile(entry.path()), entry.path().filename().string()))
                uses.insert(use);
        }
    }
    ASSERT_GT(files, 10) << "the source tree was not found";
    for (const TUse& use : uses)
        EXPECT_EQ(Resolve(use), "") << use.fWhere << ": kind " << use.fUse << ", id " << use.fID << ", index "
                                    << use.fIndex;
}

TEST_F(ProgramResourcesTest, TheScanSeesEveryKindOfUse)
{
    const std::string source = "MakeStringID(128, 18); MakeAlertID( 301 ,5 ); MakeMenuID(2); "
                               "MakeDialogResourceID(170); MakePNGImageID(1000); MakeIconResourceID(53); "
                               "NSTrellisUtils::CreateIcon(3011); MakeStringID(kTable, 4);";
    const std::vector<TUse> uses = FindUses(source, "sample");
    ASSERT_EQ(uses.size(), 7u);
    for (const TUse& use : uses)
        EXPECT_EQ(Resolve(use), "") << "kind " << use.fUse << ", id " << use.fID;
    EXPECT_NE(Resolve({kString, 128, 1, "sample"}), "");
    EXPECT_NE(Resolve({kMenu, 3, 0, "sample"}), "");
    EXPECT_NE(Resolve({kPNGImage, 1003, 0, "sample"}), "");
}
TEST(ProgramVersion, TheVersionResourceCarriesTheBuildNumber)
{
    wchar_t path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    DWORD ignored = 0;
    std::vector<u8> block(GetFileVersionInfoSizeW(path, &ignored));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, DWORD(block.size()), block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u); // 1.0
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);          // fix 0, final stage

    u16* buildNumber = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\040904b0\\Build Number",
                               reinterpret_cast<void**>(&buildNumber), &length));
    EXPECT_EQ(NSTextPackage::TUTF16String(buildNumber), MakeText(u"1"));
}
} // namespace
