#pragma once
// A sample reference: how a host document names a sample or sliced-loop file it uses. Three path
// descriptions find the file; the names, the package and the device identify it. Stored as the
// body of a "REFE" chunk and as the "SampleReference" element of device patch XML.
#include "base/VersionNumbers.h"
#include "content/references/ABCFormat.h"
#include "content/references/AbsolutePath.h"
#include "content/references/DatabasePath.h"
#include "content/references/RelativePath.h"

#include <memory>

namespace NSFerrant
{
class CIFFFileWriter;
}

// The binary form stores the low byte; other values are carried unchanged.
enum ESampleReferenceType : u32
{
    kSampleReferenceLoop = 12,   // a sliced-loop file, XML "kiv"
    kSampleReferenceSample = 13, // XML "sample"
    kSampleReferenceNone = 0xFFFFFFFF,
};

class CSF10ReferenceChunk : public NSFerrant::CABCFormat
{
public:
    // Reads one body at the media's position (the data of a "REFE" chunk), versions 1.0.0 to
    // 2.x; an older one is XVersionTooOld, a major above 2 XVersionTooNew.
    explicit CSF10ReferenceChunk(NSFerrant::CMedia& media);
    // Reads a "SampleReference" element.
    explicit CSF10ReferenceChunk(const std::shared_ptr<NSFerrant::CXMLElement>& element);
    CSF10ReferenceChunk(const CSF10ReferenceChunk&) = default;
    CSF10ReferenceChunk& operator=(const CSF10ReferenceChunk&) = default;

    // Version 2.0.0 when a device is named, else 1.3.0; every path stands twice, in its older
    // form for older readers and then in its newer form.
    void Write(NSFerrant::CMedia& media) const override;
    std::shared_ptr<NSFerrant::CXMLElement> WriteXML() const;

    CRelativePath fRelativePath;
    CDatabasePath fDatabasePath;
    CAbsolutePath fAbsolutePath;
    THashedString fUserFriendlyName;
    THashedString fTrueName;
    THashedString fVantleName;
    THashedString fVantleURL;
    THashedString fPackageName;
    NSTextPackage::TUTF16String fDeviceInternalID;
    NSTextPackage::TUTF16String fDeviceUIName;
    NSFerrant::TVersion fDeviceVersion;
    u32 fSampleType = kSampleReferenceNone;

private:
    void ReadBody(NSFerrant::CMedia& media);
};

// The true name of a body too old to store one: the last name of the first path that names
// something (a valid relative path with components, then a valid absolute path, then the
// database path, whose last name is the database root's when it has none).
THashedString DeriveTrueName(const CRelativePath& relative, const CDatabasePath& database,
                             const CAbsolutePath& absolute);

// Only a sample or a sliced-loop file can be relocated into a package: any other type (a binary
// type byte such as 0, an element without "type") is XUnsupportedFormat.
void RequireRelocatableType(const CSF10ReferenceChunk& reference);

// One complete "REFE" chunk at the writer's current level, which it is left at.
void WriteReferenceChunk(NSFerrant::CIFFFileWriter& writer, const CSF10ReferenceChunk& reference);
