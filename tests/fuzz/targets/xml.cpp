// The XML parser and writer: whatever parses is written and parses back to an equal tree (texts
// compared as support/XMLTrees.h says).
#include "media/xml/XMLParser.h"
#include "media/xml/XMLWriter.h"
#include "base/TextConversions.h"
#include "tests/fuzz/support/FuzzChecks.h"
#include "tests/fuzz/support/XMLTrees.h"

using NSFerrant::TXMLElementList;

extern "C" int LLVMFuzzerTestOneInput(const u8* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    TXMLElementList parsed;
    if (!NSFuzz::ReadsOrRefuses([&] { parsed = NSFerrant::ParseXMLDocument(text, text + size); }))
        return 0;
    const std::string written = NSFerrant::WriteXMLDocument(parsed);
    const TXMLElementList again = NSFerrant::ParseXMLDocument(written.data(), written.data() + written.size());
    NSFuzz::Require(NSFuzz::SameTrees(parsed, again), "XML write and parse back");
    return 0;
}
