#pragma once
// Where a sample reference of a source document leads on disk, while the source folder is
// verified and packed.
#include "base/UTF16String.h"
#include "content/references/SampleReference.h"
#include "content/vfs/VirtualFileItem.h"
#include "packing/PackJob.h"

namespace NSVantlePacking
{
// The first of four candidates that exists and lies inside the source folder (directly or through
// an outside shortcut): the relative path from the document's folder, the database path read
// below the source folder's own name, the absolute path, and the database path of a reference
// that names this package. Empty when none qualifies. A reference that names this package by a
// database path of fewer than two names, or not starting with the package name, is
// XFormatViolation.
CItemPtr ResolveReferenceOnDisk(const CItemPtr& sourceRoot, const NSTextPackage::TUTF16String& packageName,
                                const CItemPtr& document, const CSF10ReferenceChunk& reference,
                                const TOutsideShortcuts& shortcuts);

// Up the step count through GetParent, then down by name; a name found only as a shortcut file
// (the name plus ".lnk") is taken through it. Empty for an invalid path or a name not found.
CItemPtr FollowRelativePath(const CRelativePath& path, const CItemPtr& folder);
} // namespace NSVantlePacking
