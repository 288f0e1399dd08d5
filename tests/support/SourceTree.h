#pragma once
// The repository's files as the tests see them under Wine: the source tree through drive Z:.
#include <filesystem>
#include <string>

namespace NSTestSupport
{
// The path of a file or folder given relative to the repository root ("app/resources/...").
std::filesystem::path GetSourcePath(const std::string& relative);
// The whole file as bytes; a missing file fails the calling test with an exception.
std::string ReadSourceFile(const std::string& relative);
} // namespace NSTestSupport
