#include "tests/filelib/ScratchFolder.h"

#include "base/UTF16String.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>

#include <windows.h>

namespace fs = std::filesystem;

namespace NSFileLibTests
{
void RemoveFolderTree(const fs::path& folder)
{
    std::error_code ignored;
    // Read-only and hidden entries would stop the removal.
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder, ignored))
        ::SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(folder, ignored);
}

CScratchFolder::CScratchFolder()
{
    static std::atomic<u32> counter{0};
    fPath = fs::temp_directory_path() /
            ("vantle-scratch-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(counter++));
    fs::remove_all(fPath);
    fs::create_directories(fPath);
}

CScratchFolder::~CScratchFolder()
{
    fSpec.reset();
    RemoveFolderTree(fPath);
}

NSTextPackage::TUTF16String CScratchFolder::FolderPath() const
{
    return NSTextPackage::FromWide(fPath.c_str()) + u16(u'\\');
}

NSTextPackage::TUTF16String CScratchFolder::PathOf(const std::u16string& name) const
{
    return FolderPath() + NSTextPackage::TUTF16String(name.begin(), name.end());
}

NSFileLib::IDirSpec* CScratchFolder::Spec() const
{
    if (!fSpec)
        fSpec = NSFileLibSupport::DirSpecFromWinPath(FolderPath());
    return fSpec.get();
}

NSTextPackage::TUTF16String CScratchFolder::Write(const std::u16string& name, const std::string& bytes) const
{
    std::ofstream file(fPath / name, std::ios::binary);
    file << bytes;
    return PathOf(name);
}

void CScratchFolder::WriteFile(const std::string& name, const std::vector<u8>& bytes) const
{
    std::ofstream file(fPath / name, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<u8> CScratchFolder::ReadFile(const std::string& name) const
{
    std::ifstream file(fPath / name, std::ios::binary);
    return std::vector<u8>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string CScratchFolder::Read(const std::u16string& name) const
{
    std::ifstream file(fPath / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::u16string> CScratchFolder::Entries() const
{
    std::vector<std::u16string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(fPath))
        names.push_back(entry.path().filename().u16string());
    std::sort(names.begin(), names.end());
    return names;
}
} // namespace NSFileLibTests
