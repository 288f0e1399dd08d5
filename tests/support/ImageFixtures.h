#pragma once
// The ImageMagick-made fixtures of the image tests (tests/support/make-image-fixtures), which the
// build makes into the folder VANTLE_IMAGE_FIXTURE_DIR of the suites that use them.
#include "tests/support/FixtureFiles.h"

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

// The size of every fixture picture.
constexpr u32 kImageFixtureWidth = 37;
constexpr u32 kImageFixtureHeight = 23;
} // namespace NSTestSupport
