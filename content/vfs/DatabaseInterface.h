#pragma once
// The root folder of the mounted packages, "Vantles": its children are the database's mounted
// packages in mount order.
#include "content/vfs/VirtualFileItem.h"

class CItemDatabase;

class CDatabaseInterface final : public NSVirtualFS::CABCCountedItem
{
public:
    explicit CDatabaseInterface(CItemDatabase& database);

    // Any root folder of the same database.
    bool IsSameItem(const NSVirtualFS::CABCVirtualFileItem* other) const override;
    bool IsAvailable() override { return true; }
    CItemPtr GetParent() override { return {}; }
    void GetChildren(std::vector<CItemPtr>& children, IProgressListener* listener) override;
    // A package is named by its display name, any other item by its name; letter case ignored.
    CItemPtr FindChild(const NSTextPackage::TUTF16String& name) override;
    bool IsFolder() override { return true; }
    const NSTextPackage::TUTF16String& GetDisplayName() override { return fRootName; }
    const NSTextPackage::TUTF16String& GetName() override { return fRootName; }
    std::shared_ptr<NSTrellis::IIcon> GetIcon(u8 flag) override;
    const NSTextPackage::TUTF16String& GetTypeName() override { return fTypeName; }

private:
    CItemDatabase* fDatabase;
    NSTextPackage::TUTF16String fRootName;
    NSTextPackage::TUTF16String fTypeName; // always empty
};
