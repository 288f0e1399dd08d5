#pragma once
// How the references of a host document are resolved while the source is verified, and
// relocated while it is packed. The packing engine implements both interfaces.
#include "content/references/SampleReference.h"

#include <vector>

class CItemPtr;

enum EReferenceResolveResult : u32
{
    kReferenceResolved = 0,       // found, and part of what is packed
    kReferenceSkipped = 1,        // found, but the package's skip list leaves it out
    kReferenceUnresolved = 2,     // not found
    kReferenceInOtherPackage = 3, // not found here, and the reference names another package
};

// References kept by value, in the order the walks meet them.
using TReferenceList = std::vector<CSF10ReferenceChunk>;

class IReferenceResolver
{
public:
    virtual ~IReferenceResolver() = default;
    // May throw; the walks let the exception pass.
    virtual EReferenceResolveResult Resolve(const CSF10ReferenceChunk& reference) = 0;
};

class IReferenceRelocator
{
public:
    virtual ~IReferenceRelocator() = default;
    // A complete reference to the same target as it will stand in the package; document is the
    // item of the document being packed, from whose folder relative paths are computed. May
    // throw; the walks let the exception pass.
    virtual CSF10ReferenceChunk Relocate(const CItemPtr& document, const CSF10ReferenceChunk& reference) = 0;
};
