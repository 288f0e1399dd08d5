#include "packing/PackageFileNames.h"

#include "base/FileLibStatus.h"
#include "base/TextConversions.h"
#include "content/package/VantleInfo.h"
#include "filelib/FileLibAccess.h"

#include <algorithm>
#include <vector>

namespace NSVantlePacking
{
namespace
{
constexpr std::size_t kNameBufferUnits = 1024;
const NSTextPackage::TUTF16String kTemporarySuffix = NSTextPackage::FromUTF8(".packing.tmp");
} // namespace

NSTextPackage::TUTF16String MakeValidFileNameText(const NSTextPackage::TUTF16String& text)
{
    std::vector<u16> buffer(kNameBufferUnits, 0);
    std::copy_n(text.begin(), std::min(text.size(), kNameBufferUnits - 1), buffer.begin());
    NSFileLibSupport::ThrowIfFileLibError(NSFileLibSupport::GetFileLib()->MakeValidFileName(buffer.data()));
    NSTextPackage::TUTF16String valid(buffer.data());
    if (valid.empty() || valid.find_first_not_of(u'.') == NSTextPackage::TUTF16String::npos)
        valid = NSTextPackage::FromUTF8("_");
    return valid;
}

NSTextPackage::TUTF16String MakePackageFileName(const CVantleInfo& info)
{
    return MakeValidFileNameText(info.fName) + NSTextPackage::FromUTF8(".vtl");
}

NSTextPackage::TUTF16String MakeTemporaryPackageFileName(const NSTextPackage::TUTF16String& packageFileName)
{
    return NSTextPackage::FromUTF8("~") + packageFileName + kTemporarySuffix;
}
} // namespace NSVantlePacking
