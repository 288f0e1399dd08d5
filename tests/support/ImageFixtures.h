#pragma once
// The ImageMagick-made fixtures of the image tests (tests/support/make-image-fixtures), which the
// build makes into the folder VANTLE_IMAGE_FIXTURE_DIR of the suites that use them.
#include "base/ByteOrder.h"
#include "tests/support/FixtureFiles.h"

#include <gtest/gtest.h>

namespace NSTestSupport
{
// The PNG or JPEG file (its name in the folder) as bytes.
inline std::vector<u8> ReadImageFixture(const std::string& name)
{
    return ReadFixtureFile(VANTLE_IMAGE_FIXTURE_DIR, name);
}

// Its pixels as ImageMagick decodes them: bytes red, green, blue, alpha, rows top first.
inline std::vector<u8> ReadImageFixturePixels(const std::string& name)
{
    return ReadFixtureFile(VANTLE_IMAGE_FIXTURE_DIR, name + ".rgba");
}

// The baseline JPEG fixture with its frame header claiming width × height.
inline std::vector<u8> JPEGClaiming(u32 width, u32 height)
{
    std::vector<u8> jpeg = ReadImageFixture("baseline.jpg");
    for (size_t i = 2; i + 9 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0)
        {
            NSByteOrder::WriteBE16(jpeg.data() + i + 5, u16(height));
            NSByteOrder::WriteBE16(jpeg.data() + i + 7, u16(width));
            return jpeg;
        }
    ADD_FAILURE() << "no frame header";
    return jpeg;
}

// The size of every fixture picture.
constexpr u32 kImageFixtureWidth = 37;
constexpr u32 kImageFixtureHeight = 23;
} // namespace NSTestSupport
