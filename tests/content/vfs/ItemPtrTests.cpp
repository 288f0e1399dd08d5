// The counting protocol of CItemPtr and the operations every item class inherits.
#include "content/vfs/VirtualFileItem.h"

#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace
{
using NSTextPackage::TUTF16String;

// An item that writes every count change and its end into a shared log.
class CCountingItem final : public NSVirtualFS::CABCVirtualFileItem
{
public:
    CCountingItem(std::vector<std::string>& log, std::string name, std::vector<CItemPtr> children = {})
        : fLog(log), fLabel(std::move(name)), fName(fLabel.begin(), fLabel.end()), fChildren(std::move(children))
    {
    }
    ~CCountingItem() override { fLog.push_back("end " + fLabel); }

    bool IsAvailable() override { return true; }
    CItemPtr GetParent() override { return {}; }
    void GetChildren(std::vector<CItemPtr>& children, IProgressListener*) override { children = fChildren; }
    CItemPtr& FirstChild() { return fChildren.front(); }
    const TUTF16String& GetDisplayName() override { return fName; }
    const TUTF16String& GetName() override { return fName; }
    std::shared_ptr<NSTrellis::IIcon> GetIcon(u8) override { return {}; }
    const TUTF16String& GetTypeName() override { return fName; }
    void AddRef() override
    {
        ++fCount;
        fLog.push_back("add " + fLabel);
    }
    void Release() override
    {
        fLog.push_back("release " + fLabel);
        if (--fCount < 1)
            delete this;
    }

private:
    std::vector<std::string>& fLog;
    std::string fLabel;
    TUTF16String fName;
    std::vector<CItemPtr> fChildren;
    int fCount = 0;
};

using TLog = std::vector<std::string>;

TEST(ItemPtr, HoldsOneReferenceAndEndsTheItemWithTheLast)
{
    TLog log;
    {
        CItemPtr first(new CCountingItem(log, "a"));
        {
            const CItemPtr copy = first;
            CItemPtr moved = CItemPtr(copy);
            EXPECT_EQ(moved.Get(), first.Get());
        }
        EXPECT_EQ(log, (TLog{"add a", "add a", "add a", "release a", "release a"}));
        log.clear();
    }
    EXPECT_EQ(log, (TLog{"release a", "end a"}));
}

TEST(ItemPtr, AssignmentCountsTheNewItemBeforeReleasingTheOld)
{
    TLog log;
    CItemPtr holder(new CCountingItem(log, "old"));
    CItemPtr other(new CCountingItem(log, "new"));
    log.clear();
    holder = other;
    EXPECT_EQ(log, (TLog{"add new", "release old", "end old"}));

    // The old item's last reference may be what keeps the new one alive: a child held only by
    // its parent, assigned over the parent.
    log.clear();
    CItemPtr parent(new CCountingItem(log, "parent", {CItemPtr(new CCountingItem(log, "child"))}));
    CItemPtr& child = static_cast<CCountingItem*>(parent.Get())->FirstChild();
    log.clear();
    parent = child;
    EXPECT_EQ(log, (TLog{"add child", "release parent", "end parent", "release child"}));
    EXPECT_EQ(parent->GetName(), MakeText(u"child"));
}

TEST(ItemPtr, AssigningItselfOrItsOwnItemKeepsTheItem)
{
    TLog log;
    CItemPtr holder(new CCountingItem(log, "a"));
    log.clear();
    CItemPtr& alias = holder;
    holder = alias;
    EXPECT_TRUE(log.empty());
    holder = CItemPtr(holder.Get());
    holder = CItemPtr(holder.Get());
    EXPECT_EQ(holder->GetName(), MakeText(u"a"));
    EXPECT_EQ(std::count(log.begin(), log.end(), "end a"), 0);
}

TEST(ItemPtr, EqualityIsThePointerOrTheFirstItemsJudgement)
{
    TLog log;
    const CItemPtr a(new CCountingItem(log, "a"));
    const CItemPtr b(new CCountingItem(log, "a"));
    EXPECT_TRUE(CItemPtr() == CItemPtr());
    EXPECT_TRUE(CItemPtr().IsEmpty());
    EXPECT_FALSE(a == CItemPtr());
    EXPECT_FALSE(CItemPtr() == a);
    EXPECT_TRUE(a == CItemPtr(a));
    EXPECT_FALSE(a == b); // the base knows no other object for the same thing
}

TEST(VirtualFileItem, TheBaseAnswersItsDefaults)
{
    TLog log;
    const CItemPtr item(new CCountingItem(log, "a"));
    EXPECT_EQ(item->GetVolumeType(), 0xFFFFFFFFu);
    EXPECT_EQ(item->GetModificationTime(), 0u);
    EXPECT_EQ(item->GetSize(), 0u);
    EXPECT_TRUE(item->GetCachedName().empty());
    EXPECT_EQ(item->GetCachedKind(), 0u);
    EXPECT_FALSE(item->IsFolder() || item->IsFile() || item->IsLink() || item->IsRegularFile() ||
                 item->IsFileSystemFolder() || item->IsVantleFile() || item->IsBrowsableFile());
    EXPECT_TRUE(ResolveItemLink(item).IsEmpty());
    EXPECT_EQ(OpenItemMedia(item), nullptr);
    EXPECT_TRUE(item->GetVolumeItem().IsEmpty());
    EXPECT_TRUE(FindChildItem(item, MakeText(u"a")).IsEmpty());
    EXPECT_THROW(GetItemFileSpec(item), std::exception);
    EXPECT_THROW(GetItemDirSpec(item), std::exception);
}

TEST(VirtualFileItem, FindChildOfTheBaseGivesTheFirstChildOfTheNameInAnyCase)
{
    TLog log;
    const CItemPtr first(new CCountingItem(log, "Name"));
    const CItemPtr second(new CCountingItem(log, "NAME"));
    const CItemPtr parent(new CCountingItem(log, "p", {first, CItemPtr(new CCountingItem(log, "other")), second}));
    EXPECT_EQ(FindChildItem(parent, MakeText(u"name")).Get(), first.Get());
    EXPECT_EQ(GetChildItems(parent).size(), 3u);
    EXPECT_TRUE(FindChildItem(parent, MakeText(u"missing")).IsEmpty());
}
} // namespace
