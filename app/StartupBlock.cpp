#include "app/StartupBlock.h"

#include "base/TextBuffers.h"
#include "base/TextConversions.h"
#include "filelib/ApplicationFolders.h"

namespace NSVantleApp
{
namespace
{
constexpr std::size_t kMaxTextUnits = 255;
constexpr u32 kStartupBlockVersion = 1;
} // namespace

TTrellisStartupBlock MakeStartupBlock(const NSTextPackage::TUTF16String& displayName)
{
    TTrellisStartupBlock block{};
    NSTextPackage::CopyWide(block.fCompanyName, NSFileLibSupport::GetCompanyName().c_str(), kMaxTextUnits);
    NSTextPackage::CopyWide(block.fDisplayName, displayName.c_str(), kMaxTextUnits);
    NSTextPackage::CopyWide(block.fAboutItem, NSTextPackage::ASCIIToUTF16("About VantlePacker...", 0).c_str(),
                            kMaxTextUnits);
    block.fVersion = kStartupBlockVersion;
    return block;
}
} // namespace NSVantleApp
