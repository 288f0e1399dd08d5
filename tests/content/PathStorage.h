#pragma once
// Writing a path description into bytes and reading one back, for the path tests.
#include "base/Media.h"
#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

template <class TPath> NSTestSupport::TBytes WrittenBytes(const TPath& path, u32 formatCode)
{
    NSFerrant::COwnedMemoryMedia media(0);
    path.Write(media, formatCode);
    return NSTestSupport::BytesOf(media);
}

// Reads into path (left as the caller prepared it before reading) and checks that every byte
// was consumed.
template <class TPath> void ReadWhole(TPath& path, const NSTestSupport::TBytes& bytes)
{
    NSFerrant::COwnedMemoryMedia media = NSTestSupport::MediaOf(bytes);
    path.Read(media);
    EXPECT_EQ(media.fPosition, i64(bytes.size()));
}
