#include "tests/content/vfs/ContentTestSupport.h"

#include "filelib/FileLibWrappers.h"
#include "gui/TrellisInterface.h"

#include <filesystem>
#include <fstream>

namespace NSContentTests
{
void CItemTest::SetUp()
{
    CreateTrellisInterface();
    fDatabase = std::make_unique<CItemDatabase>();
    gItemDatabase = fDatabase.get();
}

void CItemTest::TearDown()
{
    gItemDatabase = nullptr;
    fDatabase.reset();
    ReleaseTrellisInterface();
}

void CItemTest::MakeFile(const std::string& relativePath, const std::string& bytes) const
{
    const std::filesystem::path path = fScratch.Path() / relativePath;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

void CItemTest::MakeFolder(const std::string& relativePath) const
{
    std::filesystem::create_directories(fScratch.Path() / relativePath);
}

TUTF16String CItemTest::FilePath(const std::string& relativePath) const
{
    TUTF16String path = fScratch.FolderPath() + Text(relativePath);
    for (u16& unit : path)
        if (unit == u'/')
            unit = u'\\';
    return path;
}

TUTF16String CItemTest::FolderPath(const std::string& relativePath) const
{
    if (relativePath.empty())
        return fScratch.FolderPath();
    return FilePath(relativePath) + Text("\\");
}

CItemPtr CItemTest::FileItem(const std::string& relativePath) const
{
    return GetItemForFile(NSFileLibSupport::FileSpecFromWinPath(FilePath(relativePath)));
}

CItemPtr CItemTest::FolderItem(const std::string& relativePath) const
{
    return GetItemForFolder(NSFileLibSupport::DirSpecFromWinPath(FolderPath(relativePath)));
}

std::vector<TUTF16String> NamesOf(const std::vector<CItemPtr>& items)
{
    std::vector<TUTF16String> names;
    for (const CItemPtr& item : items)
        names.push_back(item->GetName());
    return names;
}
} // namespace NSContentTests
