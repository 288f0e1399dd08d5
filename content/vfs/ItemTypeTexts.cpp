#include "content/vfs/ItemTypeTexts.h"

#include "base/ResourceID.h"
#include "gui/TrellisUtils.h"

#include <map>

namespace NSVirtualFS
{
namespace
{
constexpr u16 kItemTypeTextTable = 2000;
}

const NSTextPackage::TUTF16String& GetItemTypeText(EItemTypeText entry)
{
    // One thread; the texts never change once fetched.
    static std::map<u16, NSTextPackage::TUTF16String> texts;
    const auto found = texts.find(entry);
    if (found != texts.end())
        return found->second;
    NSTextPackage::TUTF16String text = NSTrellisUtils::GetResourceText(NSFerrant::MakeStringID(kItemTypeTextTable, entry));
    return texts.emplace(entry, std::move(text)).first->second;
}
} // namespace NSVirtualFS
