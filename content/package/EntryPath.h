#pragma once
// The path an index row's name gives its entry: folder names and the file name joined by ":".
#include "base/UTF16String.h"

#include <cstddef>

constexpr char16_t kEntryPathSeparator = u':';

// The most folders one row's path may name. The packer names entries after their paths below the
// source folder, which Windows keeps within 260 units, so a real package goes at most 130
// folders deep; the bound is the chunk and XML readers' nesting bound, far above that and low
// enough that building, walking and releasing a tree stay cheap.
constexpr std::size_t kDeepestEntryPath = 1024;

// XFormatViolation when the folder path (the row's name before its last ":") names more than
// kDeepestEntryPath folders.
void CheckEntryPathDepth(const NSTextPackage::TUTF16String& folderPath);
