#pragma once
// The size of each sample file of a pack as it was last read, by its item: what the packing
// phase plans its work ahead by without opening the files on its own thread first.
#include "base/Types.h"

#include <map>

namespace NSVirtualFS
{
class CABCVirtualFileItem;
}

namespace NSVantlePacking
{
using TSourceFileSizes = std::map<const NSVirtualFS::CABCVirtualFileItem*, u64>;
} // namespace NSVantlePacking
