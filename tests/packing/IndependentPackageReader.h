#pragma once
// A reader of package files written for the tests alone, from the layout of the format and
// nothing of the program's own package reader or codecs: the header, the information block, the
// index, each entry's bytes, compressed entries inflated (with zlib itself) and packed samples
// decoded to their frames. Every inconsistency it meets is a test failure.
#include "base/Types.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace NSPackingTests
{
constexpr u32 kIndependentSampleType = 11;
constexpr u32 kIndependentCompressedType = 20;

// A packed sample's header and its frames.
struct TIndependentSample
{
    u32 fFrameCount = 0;
    u8 fRootKey = 0;
    u8 fLoopMode = 0;
    u8 fChannels = 0;
    u32 fLoopStart = 0;
    u32 fLoopEnd = 0;
    u32 fSampleRate = 0;
    u8 fBits = 0;
    // Interleaved; 16-bit samples sign-extended.
    std::vector<i32> fSamples;
};

struct TIndependentEntry
{
    std::string fName; // Windows-1252 bytes as stored
    u32 fPackedType = 0;
    u32 fOffset = 0;
    u32 fSize = 0;
    u8 fFlag = 0;
    std::vector<u8> fBytes;
    // The file the entry stands for: inflated for a compressed entry, else fBytes.
    std::vector<u8> fContent;
    // Decoded for a packed sample only.
    std::optional<TIndependentSample> fSample;
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
