#include "tests/packing/SourceFolderFixture.h"

#include "base/TextConversions.h"
#include "filelib/WinShortcuts.h"
#include "media/xml/XMLElement.h"
#include "packing/SourcePaths.h"

namespace NSPackingTests
{
namespace
{
void AddChildren(CPackJob& job, CSourceNode* parent, const CItemPtr& folder, TSourceNodes& nodes)
{
    for (const CItemPtr& item : GetChildItems(folder))
    {
        auto node = std::make_unique<CSourceNode>(parent, item);
        if (item->IsLink() &&
            !NSVantlePacking::IsInsideSourceFolder(node->fResolvedItem, job.fInputFolder, {}))
            job.fOutsideShortcuts.insert(node.get());
        if (node->fIsFolder != 0)
            AddChildren(job, node.get(), node->fResolvedItem, node->fChildren);
        nodes.push_back(std::move(node));
    }
    SortSourceNodes(nodes);
}
} // namespace

void CSourceFolderTest::SetUp()
{
    CItemTest::SetUp();
    MakeFile("Source/Samples/Kick.aif");
    MakeFile("Source/Samples/Old/Snare.aif");
    MakeFile("Source/Song.sng");
    MakeFile("Elsewhere/Hat.aif");
    MakeShortcut("Elsewhere", "Source/Extra.lnk");
}

void CSourceFolderTest::MakeShortcut(const std::string& target, const std::string& shortcut) const
{
    WinCreateShortcut(FilePath(target), FilePath(shortcut), Text("test"));
}

TPackJobHandle CSourceFolderTest::MakeJob() const
{
    auto job = std::make_unique<CPackJob>(Root(), FolderItem(""), Text("Bank.vtl"), 1);
    job->fInfo.fName = Text("Bank");
    job->fInfo.fURL = Text("http://bank");
    AddChildren(*job, nullptr, Root(), job->fEntries);
    job->fInfo.fFileCount = 4;
    return job;
}

CSourceNode* NodeAt(CPackJob& job, const std::string& path)
{
    TSourceNodes* nodes = &job.fEntries;
    CSourceNode* found = nullptr;
    std::size_t start = 0;
    while (start <= path.size())
    {
        std::size_t slash = path.find('/', start);
        if (slash == std::string::npos)
            slash = path.size();
        const NSTextPackage::TUTF16String name = Text(path.substr(start, slash - start));
        found = nullptr;
        for (const std::unique_ptr<CSourceNode>& node : *nodes)
            if (node->GetDisplayName() == name)
                found = node.get();
        if (found == nullptr)
            return nullptr;
        nodes = &found->fChildren;
        start = slash + 1;
    }
    return found;
}

TPathComponents Names(const std::vector<std::string>& names)
{
    TPathComponents components;
    for (const std::string& name : names)
        components.push_back(THashedString(Text(name)));
    return components;
}

CSF10ReferenceChunk BlankReference()
{
    auto element = std::make_shared<NSFerrant::CXMLElement>(Text("SampleReference"), Text(""));
    element->fAttributes.push_back(std::make_shared<NSFerrant::CXMLAttribute>(Text("type"), Text("sample")));
    return CSF10ReferenceChunk(element);
}

CSF10ReferenceChunk RelativeReference(u32 stepUp, const std::vector<std::string>& names)
{
    CSF10ReferenceChunk reference = BlankReference();
    reference.fRelativePath.fValid = 1;
    reference.fRelativePath.fStepUp = stepUp;
    reference.fRelativePath.fComponents = Names(names);
    return reference;
}

CSF10ReferenceChunk DatabaseReference(const std::string& packageName, const std::vector<std::string>& names)
{
    CSF10ReferenceChunk reference = BlankReference();
    reference.fVantleName = THashedString(Text(packageName));
    reference.fDatabasePath.fVantleName = THashedString(Text(packageName));
    reference.fDatabasePath.fValid = 1;
    reference.fDatabasePath.fComponents = Names(names);
    return reference;
}

std::string TextOf(const NSTextPackage::TUTF16String& text)
{
    return NSTextPackage::UTF16ToUTF8(text);
}
} // namespace NSPackingTests
