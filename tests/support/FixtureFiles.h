#pragma once
// Reading the build-made fixture files of the tests from under Wine.
#include "base/Types.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace NSTestSupport
{
// The whole file `name` of the Linux folder `folder` as bytes; a missing one throws.
inline std::vector<u8> ReadFixtureFile(const std::string& folder, const std::string& name)
{
    // Wine maps the Linux root to drive Z:.
    std::ifstream file(std::filesystem::path("Z:" + folder) / name, std::ios::binary);
    if (!file)
        throw std::runtime_error("missing fixture " + name);
    return std::vector<u8>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
} // namespace NSTestSupport
