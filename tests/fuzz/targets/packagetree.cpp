// A package's entry tree: index rows, one after another as a package stores them, become a tree
// of folders and files by the tree's own rules (a folder per ":"-separated component, folders
// found through the name index ignoring case, a file not hiding its namesake folder, paths no
// deeper than the bound); the tree is then walked and released. The tree's items are Windows
// items, so a plain node stands in for them; names, hashes, lookups and the depth bound are the
// program's own. What must hold: a refused path is deeper than the bound and an accepted one is
// not; no level holds two folders of one name; every listed row's file is found again through
// lookups of its upper-cased path.
#include "base/Media.h"
#include "base/TextCase.h"
#include "content/package/NamedEntries.h"
#include "content/package/EntryPath.h"
#include "content/package/VantleIndexRow.h"
#include "tests/fuzz/support/FuzzChecks.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

using NSTextPackage::TUTF16String;

namespace
{
struct TNode
{
    TNode(const TUTF16String& name, bool folder) : fName(name), fFolder(folder) {}
    const TUTF16String& GetName() const { return fName; }

    TUTF16String fName;
    bool fFolder;
    TNamedEntries<TNode> fChildren;
};
using TNodePtr = std::shared_ptr<TNode>;

bool IsFolder(const TNode& node)
{
    return node.fFolder;
}

// The root is a folder node of its own; the program's root holds its folders in an index just
// like a folder does.
class CTree
{
public:
    CTree() : fRoot(std::make_shared<TNode>(TUTF16String(), true)) {}

    ~CTree()
    {
        // As the program's folders go: each gives up its children first, so nothing nests.
        std::vector<TNodePtr> pending{std::move(fRoot)};
        while (!pending.empty())
        {
            TNodePtr node = std::move(pending.back());
            pending.pop_back();
            for (TNodePtr& child : node->fChildren.Take())
                pending.push_back(std::move(child));
        }
    }

    void AddListedRow(const TUTF16String& name)
    {
        const std::size_t separator = name.rfind(kEntryPathSeparator);
        if (separator == TUTF16String::npos)
        {
            Add(*fRoot, std::make_shared<TNode>(name, false));
            return;
        }
        const TUTF16String path = name.substr(0, separator);
        const std::size_t folders = std::size_t(std::count(path.begin(), path.end(), kEntryPathSeparator)) + 1;
        const bool accepted = NSFuzz::ReadsOrRefuses([&] { CheckEntryPathDepth(path); });
        NSFuzz::Require(accepted == (folders <= kDeepestEntryPath), "depth bound");
        if (!accepted)
            throw std::runtime_error("refused");
        TNode* folder = fRoot.get();
        std::size_t start = 0;
        for (;;)
        {
            const std::size_t end = path.find(kEntryPathSeparator, start);
            folder = &FindOrCreateFolder(*folder, path.substr(start, end == TUTF16String::npos ? end : end - start));
            if (end == TUTF16String::npos)
                break;
            start = end + 1;
        }
        Add(*folder, std::make_shared<TNode>(name.substr(separator + 1), false));
    }

    // Every folder once, without recursing.
    template <class TVisit> void Walk(TVisit visit) const
    {
        std::vector<const TNode*> pending{fRoot.get()};
        while (!pending.empty())
        {
            const TNode* folder = pending.back();
            pending.pop_back();
            visit(*folder);
            for (const TNodePtr& child : folder->fChildren.InOrder())
                if (child->fFolder)
                    pending.push_back(child.get());
        }
    }

    // The file of a listed row's name, every component looked up upper-cased.
    bool FindsFile(const TUTF16String& name) const
    {
        const TUTF16String wanted = NSTextPackage::ToUpper(name);
        const TNode* folder = fRoot.get();
        std::size_t start = 0;
        for (;;)
        {
            const std::size_t end = wanted.find(kEntryPathSeparator, start);
            const TUTF16String component = wanted.substr(start, end == TUTF16String::npos ? end : end - start);
            const u32 hash = HashEntryName(component);
            if (end == TUTF16String::npos)
                return folder->fChildren.Find(component, hash, [](const TNode& node) { return !node.fFolder; }) !=
                       nullptr;
            const TNodePtr next = folder->fChildren.Find(component, hash, IsFolder);
            if (!next)
                return false;
            folder = next.get();
            start = end + 1;
        }
    }

private:
    static void Add(TNode& folder, const TNodePtr& node)
    {
        folder.fChildren.Add(node, HashEntryName(node->fName));
    }

    static TNode& FindOrCreateFolder(TNode& parent, const TUTF16String& name)
    {
        if (const TNodePtr found = parent.fChildren.Find(name, HashEntryName(name), IsFolder))
            return *found;
        auto folder = std::make_shared<TNode>(name, true);
        Add(parent, folder);
        return *folder;
    }

    TNodePtr fRoot;
};

void CheckTree(const CTree& tree, const std::vector<TUTF16String>& listed)
{
    tree.Walk([](const TNode& folder) {
        for (const TNodePtr& child : folder.fChildren.InOrder())
        {
            if (child->fFolder)
                NSFuzz::Require(folder.fChildren.Find(child->fName, HashEntryName(child->fName), IsFolder) == child,
                                "one folder per name");
        }
    });
    for (const TUTF16String& name : listed)
        NSFuzz::Require(tree.FindsFile(name), "a listed row's file is found");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, size_t size)
{
    NSFerrant::COwnedMemoryMedia media(i64(size), data);
    std::vector<TUTF16String> listed;
    while (media.fPosition < media.GetSize())
    {
        CVantleIndexRow row;
        if (!NSFuzz::ReadsOrRefuses([&] { row.Read(media); }))
            break;
        // Hidden rows are no part of the tree.
        if (!row.fHidden)
            listed.push_back(row.fName);
    }
    CTree tree;
    for (const TUTF16String& name : listed)
    {
        // A refused row refuses the whole index: the tree built so far goes.
        if (!NSFuzz::ReadsOrRefuses([&] { tree.AddListedRow(name); }))
            return 0;
    }
    CheckTree(tree, listed);
    return 0;
}
