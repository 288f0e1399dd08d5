#include "content/package/IndexParser.h"

#include "content/package/EntryPath.h"
#include "content/package/PackedFileTypes.h"
#include "content/package/VantleFile.h"
#include "content/package/VantleIndexRow.h"

namespace
{
// As a folder's name index starts.
constexpr std::size_t kRootFolderBuckets = 37;
} // namespace

CIndexParser::CIndexParser(NSVirtualFS::CVantleFile* owner) : fOwner(owner), fRootFolders(kRootFolderBuckets) {}

bool CIndexParser::Visit(const CVantleEntryLocation& location, const CVantleIndexRow& row)
{
    AddEntry(location, row.fName);
    return true;
}

void CIndexParser::AddEntry(const CVantleEntryLocation& location, const NSTextPackage::TUTF16String& name)
{
    const std::size_t separator = name.rfind(kEntryPathSeparator);
    if (location.fHidden)
    {
        if (separator == NSTextPackage::TUTF16String::npos)
            fHiddenEntries.push_back(CreateEntry(fOwner, fOwner, location, name));
        return;
    }
    if (separator == NSTextPackage::TUTF16String::npos)
    {
        fRootEntries.push_back(CreateEntry(fOwner, fOwner, location, name));
        return;
    }
    const std::shared_ptr<CVantleDirEntry> folder = FindOrCreateFolder(name.substr(0, separator));
    const TVantleEntryPtr entry = CreateEntry(fOwner, folder.get(), location, name.substr(separator + 1));
    folder->AddChildEntry(entry);
}

std::shared_ptr<CVantleDirEntry> CIndexParser::FindOrCreateFolder(const NSTextPackage::TUTF16String& path)
{
    if (fLastFolder && path == fLastFolderPath)
        return fLastFolder;
    CheckEntryPathDepth(path);
    std::size_t start = 0;
    std::size_t end = path.find(kEntryPathSeparator);
    std::shared_ptr<CVantleDirEntry> folder = FindOrCreateRootDirectory(path.substr(0, end));
    while (end != NSTextPackage::TUTF16String::npos)
    {
        start = end + 1;
        end = path.find(kEntryPathSeparator, start);
        folder = folder->FindOrCreateSubDirectory(
            path.substr(start, end == NSTextPackage::TUTF16String::npos ? end : end - start));
    }
    fLastFolder = folder;
    fLastFolderPath = path;
    return folder;
}

std::shared_ptr<CVantleDirEntry> CIndexParser::FindOrCreateRootDirectory(const NSTextPackage::TUTF16String& name)
{
    const u32 hash = HashEntryName(name);
    if (auto folder = fRootFolders.Find(name, hash))
        return folder;
    auto folder = std::make_shared<CVantleDirEntry>(fOwner, fOwner, name);
    fRootEntries.push_back(folder);
    fRootFolders.Add(folder, hash);
    return folder;
}

TVantleEntryPtr CIndexParser::CreateEntry(NSVirtualFS::CVantleFile* package, NSVirtualFS::CABCVirtualFileItem* parent,
                                          const CVantleEntryLocation& location,
                                          const NSTextPackage::TUTF16String& name)
{
    switch (location.fPackedType)
    {
    case kPackedTypeSoundFont:
        return std::make_shared<CSoundFontVantleEntry>(package, parent, location, name);
    case kPackedTypeKIV2:
    case kPackedTypeKIV:
    case kPackedTypeChopwell:
        return std::make_shared<CKIVVantleEntry>(package, parent, location, name);
    default:
        return std::make_shared<CVantleFileEntry>(package, parent, location, name);
    }
}
