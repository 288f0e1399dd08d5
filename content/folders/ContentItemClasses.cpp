#include "content/folders/ContentItemClasses.h"

#include "content/folders/KIVFolder.h"
#include "content/folders/SoundFontFolder.h"
#include "content/package/VantleFile.h"

namespace NSVirtualFS
{
namespace
{
class CContentItemClassFactory final : public IItemClassFactory
{
public:
    CItemPtr MakeVantleFile(const TShellItemPtr& shellItem, const TUTF16String& name, const CItemPtr& parent,
                            u32 kind) override
    {
        return CVantleFile::Create(shellItem, name, parent, kind);
    }

    bool OpenVantleFile(const CItemPtr& package) override
    {
        const auto* file = dynamic_cast<const CVantleFile*>(package.Get());
        return file && file->GetState() == CVantleFile::kStateOpen;
    }

    CItemPtr MakeSoundFontFile(const TShellItemPtr& shellItem, const TUTF16String& name,
                               const CItemPtr& parent) override
    {
        return CSoundFontShellFile::Create(shellItem, name, parent);
    }

    CItemPtr MakeLoopFile(const TShellItemPtr& shellItem, const TUTF16String& name, const CItemPtr& parent) override
    {
        return CItemPtr(new CKIVShellFile(shellItem, name, parent));
    }
};
} // namespace

IItemClassFactory& GetContentItemClassFactory()
{
    static CContentItemClassFactory factory;
    return factory;
}
} // namespace NSVirtualFS
