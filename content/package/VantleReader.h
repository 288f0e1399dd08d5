#pragma once
// The reader of a finished package: it opens the package, walks its index and hands out each
// entry's bytes.
#include "base/Types.h"
#include "content/package/VantleData.h"
#include "content/package/VantleEntryMedia.h"

#include <memory>

namespace NSFerrant
{
class CMedia;
}
namespace NSFileLib
{
class IFileSpec;
}
class CVantleIndexRow;

class IVantleEntryVisitor
{
public:
    // Called for each index row in order; true goes on with the next row.
    virtual bool Visit(const CVantleEntryLocation& location, const CVantleIndexRow& row) = 0;
    virtual ~IVantleEntryVisitor() = default;
};

class CVantleReader
{
public:
    // A file that is not a readable package (ProbeVantleFile) is XFormatViolation; XOutOfItems
    // passes on. The file is opened twice: once to probe it, once for good.
    CVantleReader(const std::shared_ptr<NSFileLib::IFileSpec>& file, u32 kind);
    ~CVantleReader();
    CVantleReader(const CVantleReader&) = delete;
    CVantleReader& operator=(const CVantleReader&) = delete;

    const TVantleDataPtr& GetData() const { return fData; }

    // Calls the visitor for the index rows in order until it answers false. The index is read in
    // one piece, [index start, data start), so a visitor may read entries and move the package
    // media's position freely. A row that runs past data start, or whose entry does not lie
    // inside the data area, is XFormatViolation when the walk reaches it; a visitor's exception
    // ends the walk and passes on.
    void VisitEntries(IVantleEntryVisitor& visitor) const;

    // A read-only media over the whole package, at the package media's current position.
    std::shared_ptr<NSFerrant::CMedia> OpenMedia() const;

private:
    std::shared_ptr<NSFileLib::IFileSpec> fFile;
    TVantleDataPtr fData; // carries the kind
};
