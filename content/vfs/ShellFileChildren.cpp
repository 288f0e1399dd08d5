#include "content/vfs/ShellFileChildren.h"

#include "base/TextCase.h"
#include "base/TextConversions.h"
#include "filelib/ShellItem.h"

namespace NSVirtualFS
{
namespace
{
constexpr std::size_t kInitialBuckets = 8;
} // namespace

std::size_t SChildNameHash::operator()(const TUTF16String& key) const
{
    u32 h = 0;
    for (const char byte : NSTextPackage::UTF16ToUTF8(key))
    {
        h = (h + static_cast<u32>(static_cast<i32>(static_cast<signed char>(byte)))) * 1025u;
        h ^= h >> 6;
    }
    h *= 9u;
    h ^= h >> 11;
    h *= 32769u;
    return h;
}

TUTF16String MakeChildKey(const TUTF16String& name)
{
    return NSTextPackage::ToUpper(name);
}

CShellFileChildren::CShellFileChildren() : fByName(kInitialBuckets)
{
    fByName.max_load_factor(1.0f);
}

void CShellFileChildren::Add(const TUTF16String& name, const std::shared_ptr<NSFerrant::CShellItem>& shellItem)
{
    TUTF16String key = MakeChildKey(name);
    const auto known = fByName.find(key);
    if (known != fByName.end() && *fInOrder[known->second].fShellItem == *shellItem)
        return;
    const u64 index = fInOrder.size();
    fInOrder.push_back({index, name, shellItem});
    try
    {
        fByName.insert_or_assign(std::move(key), index);
    }
    catch (...)
    {
        fInOrder.pop_back();
        throw;
    }
}

const SShellChildEntry* CShellFileChildren::Find(const TUTF16String& name) const
{
    const auto found = fByName.find(MakeChildKey(name));
    return found == fByName.end() ? nullptr : &fInOrder[found->second];
}

void CShellFileChildren::Clear()
{
    fByName.clear();
    fInOrder.clear();
}
} // namespace NSVirtualFS
