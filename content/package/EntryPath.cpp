#include "content/package/EntryPath.h"

#include "content/package/PackageFailures.h"

#include <algorithm>

void CheckEntryPathDepth(const NSTextPackage::TUTF16String& folderPath)
{
    // n separators join n + 1 folder names.
    const auto separators = std::count(folderPath.begin(), folderPath.end(), kEntryPathSeparator);
    if (std::size_t(separators) >= kDeepestEntryPath)
        ThrowPackageFormatViolation();
}
