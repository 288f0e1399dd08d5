#include "tests/filelib/FileLibTestFolder.h"

#include "base/TextConversions.h"
#include "tests/filelib/ScratchFolder.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>

using namespace NSFileLib;

TUTF16String Wide(const std::string& utf8)
{
    return NSTextPackage::UTF8ToUTF16(utf8);
}

std::string Narrow(const TUTF16String& text)
{
    return NSTextPackage::UTF16ToUTF8(text);
}

std::string Narrow(const u16* buffer)
{
    return Narrow(TUTF16String(buffer));
}

void CFileLibTestFolder::SetUp()
{
    u32 status = 0;
    fLib.reset(FileLib_Create("IFileLib", &status));
    ASSERT_EQ(status, kFileLibOK);
    std::unique_ptr<IDirSpec> temp(fLib->GetTempDirectory(&status));
    ASSERT_EQ(status, kFileLibOK);
    fFolder.reset(fLib->CreateTemporaryDirectory(temp.get(), &status));
    ASSERT_EQ(status, kFileLibOK);
    u16 path[kFileLibPathBufferUnits];
    Win().GetDirPath(fFolder.get(), path);
    fFolderPath = path;
}

void CFileLibTestFolder::TearDown()
{
    if (!fFolderPath.empty())
        NSFileLibTests::RemoveFolderTree(NSTextPackage::AsWide(fFolderPath));
    fFolder.reset();
    fLib.reset();
}

TUTF16String CFileLibTestFolder::PathOf(const std::string& name) const
{
    return fFolderPath + Wide(name);
}

void CFileLibTestFolder::WriteFileBytes(const std::string& name, const std::string& bytes)
{
    const HANDLE file = ::CreateFileW(NSTextPackage::AsWide(PathOf(name)), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << name << ": error " << ::GetLastError();
    DWORD written = 0;
    EXPECT_TRUE(::WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr));
    ::CloseHandle(file);
}

std::string CFileLibTestFolder::ReadFileBytes(const std::string& name)
{
    const HANDLE file = ::CreateFileW(NSTextPackage::AsWide(PathOf(name)), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
    {
        ADD_FAILURE() << "cannot open " << name;
        return {};
    }
    std::string bytes(::GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    EXPECT_TRUE(::ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr));
    ::CloseHandle(file);
    return bytes;
}

void CFileLibTestFolder::MakeSubfolder(const std::string& name)
{
    ASSERT_TRUE(::CreateDirectoryW(NSTextPackage::AsWide(PathOf(name)), nullptr)) << name;
}

std::vector<std::string> CFileLibTestFolder::FolderNames()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(NSTextPackage::AsWide(fFolderPath)))
        names.push_back(Narrow(NSTextPackage::FromWide(entry.path().filename().c_str())));
    std::sort(names.begin(), names.end());
    return names;
}

std::unique_ptr<IFileSpec> CFileLibTestFolder::FileSpec(const std::string& name)
{
    u32 status = 0;
    std::unique_ptr<IFileSpec> file(Win().CreateFileSpec(PathOf(name).c_str(), &status));
    EXPECT_EQ(status, kFileLibOK) << name;
    return file;
}
