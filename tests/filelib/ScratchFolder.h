#pragma once
// A fresh folder under the temporary folder for one test, removed with everything in it
// afterwards. Files are made and read with the standard library, so what the code under test
// does is judged by the platform; the folder's specification from the process's file library
// is made only when a test asks for it, so tests of the Windows layer never touch the library.
#include "filelib/FileLibWrappers.h"

#include <filesystem>
#include <string>
#include <vector>

namespace NSFileLibTests
{
// Removes the folder and everything in it, read-only and hidden entries too; never throws.
void RemoveFolderTree(const std::filesystem::path& folder);

class CScratchFolder
{
public:
    CScratchFolder();
    ~CScratchFolder();
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return fPath; }
    // The folder's path ending in "\", as the Windows layer takes folder paths.
    NSTextPackage::TUTF16String FolderPath() const;
    NSTextPackage::TUTF16String PathOf(const std::u16string& name) const;
    NSFileLib::IDirSpec* Spec() const;

    // A file of that name holding the bytes; returns its path.
    NSTextPackage::TUTF16String Write(const std::u16string& name, const std::string& bytes) const;
    std::string Read(const std::u16string& name) const;
    // The same as byte lists.
    void WriteFile(const std::string& name, const std::vector<u8>& bytes) const;
    std::vector<u8> ReadFile(const std::string& name) const;
    // The names of the entries, sorted.
    std::vector<std::u16string> Entries() const;

private:
    std::filesystem::path fPath;
    mutable NSFileLibSupport::TDirSpecPtr fSpec;
};
} // namespace NSFileLibTests
