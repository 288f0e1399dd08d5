#pragma once
// A reader of package files written for the tests alone, from the layout of the format and
// nothing of the program's own package reader: the header, the information block, the index and
// each entry's bytes. Every inconsistency it meets is a test failure.
#include "base/Types.h"

#include <filesystem>
#include <string>
#include <vector>

namespace NSPackingTests
{
struct TIndependentEntry
{
    std::string fName; // Windows-1252 bytes as stored
    u32 fPackedType = 0;
    u32 fOffset = 0;
    u32 fSize = 0;
    u8 fFlag = 0;
    std::vector<u8> fBytes;
};

struct TIndependentPackage
{
    std::string fName, fComments, fURL, fCopyright;
    u32 fFileCount = 0;
    u32 fIndexStart = 0;
    u32 fDataStart = 0;
    std::vector<TIndependentEntry> fEntries;
};

// Reads the whole package; a layout fault fails the running test (with ADD_FAILURE) and answers
// what was read up to it.
TIndependentPackage ReadPackageIndependently(const std::filesystem::path& file);
} // namespace NSPackingTests
