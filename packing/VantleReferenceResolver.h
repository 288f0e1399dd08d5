#pragma once
// Resolves the references of a finished package against the package's own index. Let the
// package reader visit every index row with it first, then set fInfo from the package, then
// resolve.
#include "base/TextCompare.h"
#include "content/package/VantleInfo.h"
#include "content/package/VantleReader.h"
#include "content/references/ReferenceResolution.h"

#include <map>

class CVantleReferenceResolver final : public IVantleEntryVisitor, public IReferenceResolver
{
public:
    // Keeps the row's location under its name (a later row of a known name replaces it) and goes on.
    bool Visit(const CVantleEntryLocation& location, const CVantleIndexRow& row) override;

    // A database path without a package name is unresolved; one naming another package (exact
    // text) is in another package; one naming this package must start with its name
    // (XFormatViolation otherwise) and is resolved when the rest, joined by ":", is an entry.
    EReferenceResolveResult Resolve(const CSF10ReferenceChunk& reference) override;

    struct TNameLess
    {
        bool operator()(const NSTextPackage::TUTF16String& a, const NSTextPackage::TUTF16String& b) const
        {
            return NSTextPackage::TextLess(a, b);
        }
    };
    // By the entry's index name, folders separated by ":".
    std::map<NSTextPackage::TUTF16String, CVantleEntryLocation, TNameLess> fEntries;
    CVantleInfo fInfo;
};
