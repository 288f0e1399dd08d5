#pragma once
// A fresh folder in the temporary folder for one test, removed with everything in it afterwards,
// with its specification from the process's file library.
#include "filelib/FileLibWrappers.h"

#include <filesystem>
#include <string>
#include <vector>

namespace NSFileLibTests
{
class CScratchFolder
{
public:
    CScratchFolder();
    ~CScratchFolder();
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return fPath; }
    // The Windows path, ending in "\".
    NSTextPackage::TUTF16String WinPath() const;
    NSFileLib::IDirSpec* Spec() const { return fSpec.get(); }

    void WriteFile(const std::string& name, const std::vector<u8>& bytes) const;
    std::vector<u8> ReadFile(const std::string& name) const;

private:
    std::filesystem::path fPath;
    NSFileLibSupport::TDirSpecPtr fSpec;
};
} // namespace NSFileLibTests
