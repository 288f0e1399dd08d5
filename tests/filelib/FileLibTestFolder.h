#pragma once
// A file library made for the test and a fresh folder under the temporary folder that is
// removed, with everything in it, after the test. Files are made and read with Win32 directly,
// so that what the library does is judged by the platform and not by the library itself.
#include <gtest/gtest.h>

#include "base/UTF16String.h"
#include "filelib/FileLib.h"

#include <memory>
#include <string>
#include <vector>

using NSTextPackage::TUTF16String;

class CFileLibTestFolder : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    NSFileLib::IFileLib& Lib() { return *fLib; }
    NSFileLib::IFileLibWinExtensions& Win() { return *fLib->GetWinExtensions(); }
    NSFileLib::IDirSpec* Folder() { return fFolder.get(); }
    // The folder's path, ending in "\".
    const TUTF16String& FolderPath() const { return fFolderPath; }
    TUTF16String PathOf(const std::string& name) const;

    void WriteFileBytes(const std::string& name, const std::string& bytes);
    std::string ReadFileBytes(const std::string& name);
    void MakeSubfolder(const std::string& name);
    // The names in the folder, sorted.
    std::vector<std::string> FolderNames();

    std::unique_ptr<NSFileLib::IFileSpec> FileSpec(const std::string& name);

private:
    std::unique_ptr<NSFileLib::IFileLib> fLib;
    std::unique_ptr<NSFileLib::IDirSpec> fFolder;
    TUTF16String fFolderPath;
};

// The ASCII or UTF-8 text as UTF-16.
TUTF16String Wide(const std::string& utf8);
std::string Narrow(const TUTF16String& text);
// The text of a zero-terminated buffer the library filled.
std::string Narrow(const u16* buffer);
