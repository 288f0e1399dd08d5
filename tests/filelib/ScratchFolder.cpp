#include "tests/filelib/ScratchFolder.h"

#include <fstream>
#include <iterator>

#include <windows.h>

namespace NSFileLibTests
{
namespace
{
std::filesystem::path NewFolderPath()
{
    static int counter = 0;
    return std::filesystem::temp_directory_path() /
           ("vantle-support-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter));
}
} // namespace

CScratchFolder::CScratchFolder() : fPath(NewFolderPath())
{
    std::filesystem::create_directories(fPath);
    fSpec = NSFileLibSupport::DirSpecFromWinPath(WinPath());
}

CScratchFolder::~CScratchFolder()
{
    fSpec.reset();
    std::error_code ignored;
    std::filesystem::remove_all(fPath, ignored);
}

NSTextPackage::TUTF16String CScratchFolder::WinPath() const
{
    const std::wstring path = fPath.wstring() + L"\\";
    return NSTextPackage::FromWide(path.c_str());
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
} // namespace NSFileLibTests
