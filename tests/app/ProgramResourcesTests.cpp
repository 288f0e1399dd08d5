// Every string, alert, menu, dialog, image and icon id that the program's code writes with literal
// numbers must resolve in the program's resources, which this executable links as the program does.
#include "base/CodeModule.h"
#include "base/ResourceFile.h"
#include "base/TextConversions.h"
#include "gui/IconResourceIDs.h"
#include "gui/TrellisInterface.h"
#include "gui/TrellisUtils.h"
#include "base/Media.h"
#include "tests/support/MediaBytes.h"
#include "tests/support/SourceTree.h"

#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <optional>
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

// The constants a source text names with a number: "constexpr u16 kTable = 1997;", enum members.
std::map<std::string, u32> FindNumberedConstants(const std::string& source)
{
    static const std::regex kConstant(R"(\b(k\w+)\s*=\s*(\d+)\b)");
    std::map<std::string, u32> constants;
    for (auto it = std::sregex_iterator(source.begin(), source.end(), kConstant); it != std::sregex_iterator(); ++it)
        constants.emplace((*it)[1], u32(std::stoul((*it)[2])));
    return constants;
}

// An argument written as a number or as a constant of the same text, either with "+ n" added.
std::optional<u32> ArgumentValue(const std::string& argument, const std::map<std::string, u32>& constants)
{
    static const std::regex kArgument(R"(^(\w+)(?:\s*\+\s*(\d+))?$)");
    std::smatch parts;
    if (!std::regex_match(argument, parts, kArgument))
        return std::nullopt;
    const u32 offset = parts[2].matched ? u32(std::stoul(parts[2])) : 0;
    const std::string base = parts[1];
    if (std::isdigit(static_cast<unsigned char>(base[0])))
        return u32(std::stoul(base)) + offset;
    const auto constant = constants.find(base);
    if (constant == constants.end())
        return std::nullopt;
    return constant->second + offset;
}

// The uses in one source text whose numbers the text itself gives; ids computed at run time are
// not seen.
std::vector<TUse> FindUses(const std::string& source, const std::string& where)
{
    static const std::string kArgument = R"(\s*(\w+(?:\s*\+\s*\d+)?)\s*)";
    static const struct
    {
        EUse use;
        std::regex pattern;
    } kPatterns[] = {
        {kString, std::regex(R"(MakeStringID\s*\()" + kArgument + "," + kArgument + R"(\))")},
        {kAlert, std::regex(R"(MakeAlertID\s*\()" + kArgument + "," + kArgument + R"(\))")},
        {kMenu, std::regex(R"(MakeMenuID\s*\()" + kArgument + R"(\))")},
        {kDialog, std::regex(R"(MakeDialogResourceID\s*\()" + kArgument + R"(\))")},
        {kPNGImage, std::regex(R"(MakePNGImageID\s*\()" + kArgument + R"(\))")},
        {kIconResource, std::regex(R"(MakeIconResourceID\s*\()" + kArgument + R"(\))")},
        {kLibraryIcon, std::regex(R"(CreateIcon\s*\()" + kArgument + R"(\))")},
    };
    const std::map<std::string, u32> constants = FindNumberedConstants(source);
    std::vector<TUse> uses;
    for (const auto& p : kPatterns)
    {
        for (auto it = std::sregex_iterator(source.begin(), source.end(), p.pattern); it != std::sregex_iterator();
             ++it)
        {
            const std::smatch& m = *it;
            const std::optional<u32> id = ArgumentValue(m[1], constants);
            const std::optional<u32> index = m.size() > 2 && m[2].matched ? ArgumentValue(m[2], constants) : 0u;
            if (id && index)
                uses.push_back({p.use, *id, *index, where});
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
                               "NSTrellisUtils::CreateIcon(3011); MakeStringID(kTable, 4); "
                               "constexpr u16 kVersionTexts = 1997; enum { kBuildEntry = 204 }; "
                               "MakeStringID(kVersionTexts, kBuildEntry); MakeStringID(kVersionTexts, kBuildEntry + 4); "
                               "MakeAlertID(kVersionTexts, entry);";
    const std::vector<TUse> uses = FindUses(source, "sample");
    ASSERT_EQ(uses.size(), 9u) << "an id computed at run time is not seen";
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
