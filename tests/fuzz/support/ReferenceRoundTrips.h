#pragma once
// Round trips of sample references and their path descriptions, shared by the reference and patch
// XML targets. What a reader accepted is written and read back twice: the first reading may lose
// what a written form cannot keep, and from it on the writings must stay equal. The display texts
// are made too, with root names installed for the database path's.
#include "base/Media.h"
#include "base/TextConversions.h"
#include "content/references/ContentRootNames.h"
#include "content/references/SampleReference.h"
#include "media/xml/XMLParser.h"
#include "media/xml/XMLWriter.h"
#include "tests/fuzz/support/FuzzChecks.h"
#include "tests/fuzz/support/XMLTrees.h"

#include <string>
#include <vector>

namespace NSFuzz
{
class CRootNames final : public IContentRootNames
{
public:
    NSTextPackage::TUTF16String GetDatabaseRootName() const override
    {
        return NSTextPackage::UTF8ToUTF16("Vantles");
    }
    NSTextPackage::TUTF16String GetDesktopName() const override
    {
        return NSTextPackage::UTF8ToUTF16("Desktop");
    }
};

// Installs the root names for the whole run of a target.
inline void InstallRootNames()
{
    static const CRootNames names;
    static const CInstalledContentRootNames installed(names);
}

// The bytes write(media) writes into a new media.
template <class TWrite> std::vector<u8> Written(TWrite&& write)
{
    NSFerrant::COwnedMemoryMedia media(0);
    write(media);
    return media.GetBytes();
}

// What read(media) makes of the bytes, which it must read to their end.
template <class TRead> auto ReadWhole(const std::vector<u8>& bytes, TRead&& read)
{
    NSFerrant::COwnedMemoryMedia media(i64(bytes.size()), bytes.data());
    auto item = read(media);
    Require(media.fPosition == i64(bytes.size()), "written form not read to its end");
    return item;
}

// Written, read back, written again and read back: the last two writings are equal. A name read
// from the UTF-8 form may change once, its line breaks becoming U+2029 when it is written in the
// Windows-1252 form (see targets/names.cpp); from the first reading on nothing may change.
template <class TItem, class TWrite, class TRead>
void CheckStoredRoundTrip(const TItem& item, TWrite&& write, TRead&& read)
{
    const auto written = [&](const TItem& what)
    { return Written([&](NSFerrant::CMedia& media) { write(what, media); }); };
    const std::vector<u8> bytes = written(ReadWhole(written(item), read));
    Require(written(ReadWhole(bytes, read)) == bytes, "stored round trip");
}

inline std::string WrittenXML(const std::shared_ptr<NSFerrant::CXMLElement>& element)
{
    return NSFerrant::WriteXMLDocument({element});
}

// The one element of a document the XML writer wrote.
inline std::shared_ptr<NSFerrant::CXMLElement> ParseWrittenXML(const std::string& text)
{
    const NSFerrant::TXMLElementList elements =
        NSFerrant::ParseXMLDocument(text.data(), text.data() + text.size());
    Require(elements.size() == 1, "written XML is not one element");
    return elements.front();
}

// The XML forms say less than the stored ones: they drop what they have no words for (a volume
// kind outside their list, the kind of a device-platform database path of no components), and a
// relative path of no components, a native URL that is not UTF-8 and a reference of a type other
// than sample or loop have none (the packer relocates only those two types, to a relative and a
// database path that name the file, with no absolute path). What has a form must read back from
// its first writing, and from that reading on nothing may change.
inline bool HasXMLForm(const CRelativePath& path)
{
    return path.fValid == 0 || !path.fComponents.empty();
}

inline bool HasXMLForm(const CDatabasePath&)
{
    return true;
}

inline bool HasXMLForm(const CAbsolutePath& path)
{
    return path.fValid == 0 || path.fNativeURLMode == kNativeURLNone ||
           ReadsOrRefuses([&] { NSTextPackage::FromUTF8(path.fNativeURL); });
}

inline bool HasXMLForm(const CSF10ReferenceChunk& reference)
{
    return (reference.fSampleType == kSampleReferenceLoop ||
            reference.fSampleType == kSampleReferenceSample) &&
           HasXMLForm(reference.fRelativePath) && HasXMLForm(reference.fAbsolutePath);
}

// Written, read back, written again and read back: the last two writings read as equal trees.
template <class TItem, class TWriteXML, class TReadXML>
void CheckXMLRoundTrip(const TItem& item, TWriteXML&& writeXML, TReadXML&& readXML)
{
    if (!HasXMLForm(item))
        return;
    const std::shared_ptr<NSFerrant::CXMLElement> element = writeXML(item);
    if (!element)
        return;
    const TItem first = readXML(ParseWrittenXML(WrittenXML(element)));
    const std::shared_ptr<NSFerrant::CXMLElement> written = ParseWrittenXML(WrittenXML(writeXML(first)));
    const std::shared_ptr<NSFerrant::CXMLElement> again =
        ParseWrittenXML(WrittenXML(writeXML(readXML(written))));
    Require(SameTrees({written}, {again}), "XML round trip");
}

// A relative, database or absolute path in both stored forms and in XML.
template <class TPath> void CheckPathRoundTrips(const TPath& path)
{
    for (const u32 form : {TPath::kOlderForm, TPath::kNewerForm})
        CheckStoredRoundTrip(
            path, [&](const TPath& item, NSFerrant::CMedia& media) { item.Write(media, form); },
            [](NSFerrant::CMedia& media)
            {
                TPath read;
                read.Read(media);
                return read;
            });
    CheckXMLRoundTrip(
        path, [](const TPath& item) { return item.WriteXML(); },
        [](const std::shared_ptr<NSFerrant::CXMLElement>& element)
        {
            TPath read;
            read.ReadXML(element);
            return read;
        });
    path.GetDisplayText();
}

inline void CheckReferenceRoundTrips(const CSF10ReferenceChunk& reference)
{
    CheckStoredRoundTrip(
        reference, [](const CSF10ReferenceChunk& item, NSFerrant::CMedia& media) { item.Write(media); },
        [](NSFerrant::CMedia& media) { return CSF10ReferenceChunk(media); });
    CheckXMLRoundTrip(
        reference, [](const CSF10ReferenceChunk& item) { return item.WriteXML(); },
        [](const std::shared_ptr<NSFerrant::CXMLElement>& element) { return CSF10ReferenceChunk(element); });
    CheckPathRoundTrips(reference.fRelativePath);
    CheckPathRoundTrips(reference.fDatabasePath);
    CheckPathRoundTrips(reference.fAbsolutePath);
}
} // namespace NSFuzz
