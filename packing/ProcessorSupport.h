#pragma once
// What the file-type processors share: opening a source, copying media in large pieces, the
// default verify (a read probe) and the default pack (a byte copy), and the prohibited-device test.
#include "base/UTF16String.h"
#include "content/vfs/VirtualFileItem.h"
#include "packing/FileTypeProcessors.h"

#include <functional>
#include <memory>

namespace NSFerrant
{
class CMedia;
}

namespace NSVantlePacking
{
// Every copy of the processors moves at least this much per call: under Wine each read or write
// of a file is a system call with a large overhead.
constexpr i64 kCopyPieceSize = 64 * 1024;

// The source item's content for reading, at position 0; XOpen when the item gives none.
std::shared_ptr<NSFerrant::CMedia> OpenSourceMedia(const CItemPtr& source);

// Copies the source from its position to its end to the destination's position in pieces of
// kCopyPieceSize; both positions advance.
void CopyRestOfMedia(NSFerrant::CMedia& source, NSFerrant::CMedia& destination);

// Proves that the beginning, the centre and the end of the media can be read: up to 4,096 bytes
// at 0 and, when it is longer, up to 4,096 at its middle and 4,096 at its end. An empty media
// reads nothing. The position ends at the media's end; a read failure passes unchanged.
void ReadProbe(NSFerrant::CMedia& media);

// The whole file of the source item, byte for byte, at the destination's position.
void CopyFileToMedia(const CItemPtr& source, NSFerrant::CMedia& destination);

// The bytes to reserve for the rewritten form of a source: its size, at most 64 MiB (the media
// grows beyond that when needed).
i64 GetMemoryReserve(const CItemPtr& source);

// Runs write on an in-memory media reserved at reserve bytes, then copies the result to the
// destination's position, which ends after it: writers that must stand at the end of their media
// can serve any destination, and a failed write leaves the destination untouched.
void WriteThroughMemory(i64 reserve, NSFerrant::CMedia& destination,
                        const std::function<void(NSFerrant::CMedia&)>& write);

// Appends device to usedProhibited once when it equals a name of prohibited unit for unit.
void NoteProhibitedDevice(const NSTextPackage::TUTF16String& device, const TDeviceNameList& prohibited,
                          TDeviceNameList& usedProhibited);
} // namespace NSVantlePacking
