#include "content/package/IndexParser.h"

#include "content/package/EntryPath.h"
#include "content/package/PackedFileTypes.h"
#include "content/package/VantleFile.h"
#include "content/package/VantleIndexRow.h"

CIndexParser::CIndexParser(NSVirtualFS::CVantleFile* owner) : fOwner(owner) {}

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
        fRootEntries.Add(CreateEntry(fOwner, fOwner, location, name), HashEntryName(name));
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
    // Root folders match their names as the folders below do, ignoring case.
    std::shared_ptr<CVantleDirEntry> folder =
        CVantleDirEntry::FindOrCreateFolderIn(fRootEntries, fOwner, fOwner, path.substr(0, end));
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
