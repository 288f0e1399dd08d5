#include "packing/PackingLog.h"

#include "base/Clock.h"
#include "base/FileLibStatus.h"
#include "base/GroupedNumbers.h"
#include "base/OpenWithShell.h"
#include "base/TextCompare.h"
#include "base/TextConversions.h"
#include "base/TextTemplates.h"
#include "filelib/FileLibAccess.h"
#include "filelib/FileMedia.h"
#include "filelib/RobustFileSpec.h"
#include "gui/TrellisUtils.h"
#include "base/FourCC.h"
#include "base/Media.h"
#include "packing/PackageFileNames.h"
#include "packing/SourcePaths.h"

#include <windows.h>

#include <algorithm>
#include <set>

namespace NSVantlePacking
{
namespace
{
using NSTextPackage::TUTF16String;

constexpr std::size_t kLogPieceBytes = 65536;
constexpr u16 kLogStringTable = 128;
constexpr u16 kLogNameString = 71;
constexpr u16 kNumberedLogNameString = 72;
constexpr u32 kLogFileType = NSFerrant::MakeFourCC("TEXT");

TUTF16String Text(const char* ascii)
{
    return NSTextPackage::FromUTF8(ascii);
}

// Lines gathered and written in large pieces.
class CLogWriter
{
public:
    explicit CLogWriter(NSFerrant::CMedia& media) : fMedia(media) {}
    ~CLogWriter() = default;

    void Line(const TUTF16String& line)
    {
        fPending += NSTextPackage::UTF16ToUTF8(line);
        fPending += "\r\n";
        if (fPending.size() >= kLogPieceBytes)
            Flush();
    }
    void Line(const char* ascii) { Line(Text(ascii)); }
    void EmptyLines(int count)
    {
        for (int i = 0; i < count; ++i)
            Line(TUTF16String());
    }
    void Flush()
    {
        NSFerrant::WriteBytes(fMedia, i64(fPending.size()), fPending.data());
        fPending.clear();
    }

private:
    NSFerrant::CMedia& fMedia;
    std::string fPending;
};

const TUTF16String kIndent1 = Text("    ");
const TUTF16String kIndent2 = Text("        ");

TUTF16String GetLogRelativePath(const CSourceNode& node, const CItemPtr& sourceFolder,
                                const TOutsideShortcuts& shortcuts)
{
    const CRelativePath path = MakeRelativePath(node.fItem, sourceFolder, shortcuts);
    return path.fValid != 0 ? path.GetDisplayText() : Text("*invalid relative path*");
}

void SortForLog(std::vector<TUTF16String>& texts)
{
    std::stable_sort(texts.begin(), texts.end(),
                     [](const TUTF16String& a, const TUTF16String& b)
                     { return NSTextPackage::CompareText(a, b, 1) == NSTextPackage::kCompareLess; });
}

template <class TKeyed>
std::vector<TUTF16String> CollectLogPaths(const TKeyed& nodes, const CItemPtr& sourceFolder,
                                          const TOutsideShortcuts& shortcuts)
{
    std::vector<TUTF16String> paths;
    for (const auto& entry : nodes)
    {
        if constexpr (std::is_pointer_v<std::decay_t<decltype(entry)>>)
            paths.push_back(GetLogRelativePath(*entry, sourceFolder, shortcuts));
        else
            paths.push_back(GetLogRelativePath(*entry.first, sourceFolder, shortcuts));
    }
    SortForLog(paths);
    return paths;
}

TUTF16String DescribeReference(const CSF10ReferenceChunk& reference, const TUTF16String& referrer)
{
    if (reference.fAbsolutePath.fValid != 0)
        return reference.fAbsolutePath.GetDisplayText();
    if (reference.fDatabasePath.fValid != 0)
        return reference.fDatabasePath.GetDisplayText();
    if (reference.fRelativePath.fValid != 0)
        return referrer + Text(" => ") + reference.fRelativePath.GetDisplayText();
    return reference.fUserFriendlyName.GetText();
}

TUTF16String DescribeExternalReference(const CSF10ReferenceChunk& reference)
{
    return reference.fDatabasePath.fValid != 0 ? reference.fDatabasePath.GetDisplayText()
                                               : reference.fUserFriendlyName.GetText();
}

// One file's block: its name, then each distinct reference text in code-unit order.
template <class TDescribe>
void WriteReferenceBlock(CLogWriter& log, const TUTF16String& name, const TReferenceList& references,
                         TDescribe describe)
{
    std::set<TUTF16String> texts;
    for (const CSF10ReferenceChunk& reference : references)
        texts.insert(describe(reference));
    log.Line(kIndent1 + name);
    for (const TUTF16String& text : texts)
        log.Line(kIndent2 + text);
    log.EmptyLines(1);
}

void WriteList(CLogWriter& log, const std::vector<TUTF16String>& texts)
{
    for (const TUTF16String& text : texts)
        log.Line(kIndent1 + text);
}

void WriteNodeReferences(CLogWriter& log, const char* heading, const TReferencesByNode& map,
                         const CItemPtr& sourceFolder, const TOutsideShortcuts& shortcuts, bool external)
{
    if (map.empty())
        return;
    log.Line(heading);
    WriteList(log, CollectLogPaths(map, sourceFolder, shortcuts));
    log.EmptyLines(2);
    for (const auto& [node, references] : map)
    {
        const TUTF16String referrer = GetItemDisplayPath(node->fItem);
        WriteReferenceBlock(log, GetLogRelativePath(*node, sourceFolder, shortcuts), references,
                            [&](const CSF10ReferenceChunk& reference) {
                                return external ? DescribeExternalReference(reference)
                                                : DescribeReference(reference, referrer);
                            });
    }
    log.EmptyLines(5);
}

void WriteNodeList(CLogWriter& log, const char* heading, const TSourceNodeSet& nodes,
                   const CItemPtr& sourceFolder, const TOutsideShortcuts& shortcuts)
{
    if (nodes.empty())
        return;
    log.EmptyLines(1);
    log.Line(heading);
    WriteList(log, CollectLogPaths(nodes, sourceFolder, shortcuts));
    log.EmptyLines(5);
}
} // namespace

TUTF16String MakeLogFileName(const TUTF16String& packageName, const CItemPtr& outputFolder)
{
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const TUTF16String date = MakeValidFileNameText(
        NSFerrant::FormatLocalDate((u64(now.dwHighDateTime) << 32) | now.dwLowDateTime));
    const TUTF16String name = MakeValidFileNameText(packageName);
    TUTF16String fileName = NSTextPackage::ExpandTemplate(
        NSTrellisUtils::GetResourceText(NSFerrant::MakeStringID(kLogStringTable, kLogNameString)),
        {name, date});
    if (outputFolder->FindChild(fileName).IsEmpty())
        return fileName;
    const TUTF16String numbered =
        NSTrellisUtils::GetResourceText(NSFerrant::MakeStringID(kLogStringTable, kNumberedLogNameString));
    for (i64 counter = 2;; ++counter)
    {
        fileName = NSTextPackage::ExpandTemplate(numbered,
                                                 {name, date, NSTextPackage::FormatGroupedNumber(counter)});
        if (outputFolder->FindChild(fileName).IsEmpty())
            return fileName;
    }
}

NSFileLibSupport::TFileSpecPtr WritePackingLog(const CItemPtr& sourceFolder, const CItemPtr& outputFolder,
                                               const CVantleInfo& info, const TPackingLogContents& contents)
{
    const TUTF16String name = MakeLogFileName(info.fName, outputFolder);
    const NSFileLibSupport::TDirSpecPtr folder =
        NSFileLibSupport::CloneDirSpec(outputFolder->GetDirSpec().get());
    const NSFileLibSupport::CRobustFileSpec target(folder.get(), name);
    {
        NSFileLibSupport::CSafeOpenFile file(target, 0, kLogFileType);
        file.GetMedia().fPosition = 0;
        WriteLogBody(file.GetMedia(), sourceFolder, contents);
        NSFileLibSupport::ThrowIfFileLibError(file.Commit());
    }
    return target.GetFileSpec();
}

void WriteLogBody(NSFerrant::CMedia& media, const CItemPtr& sourceFolder, const TPackingLogContents& contents)
{
    const TOutsideShortcuts& shortcuts = contents.fOutsideShortcuts;
    CLogWriter log(media);
    if (!contents.fFailed.empty() || !contents.fUnreadFiles.empty())
    {
        log.Line("Failed validating:");
        std::vector<TUTF16String> paths = CollectLogPaths(contents.fFailed, sourceFolder, shortcuts);
        paths.insert(paths.end(), contents.fUnreadFiles.begin(), contents.fUnreadFiles.end());
        SortForLog(paths);
        WriteList(log, paths);
        log.EmptyLines(5);
    }
    WriteNodeReferences(log, "Unresolved references:", contents.fUnresolved, sourceFolder, shortcuts, false);
    if (!contents.fBroken.empty())
    {
        log.Line("Broken references in finished Vantle (usually due to Vantle Packer program errors):");
        std::vector<TUTF16String> names;
        for (const auto& entry : contents.fBroken)
            names.push_back(entry.first.fName);
        SortForLog(names);
        WriteList(log, names);
        log.EmptyLines(2);
        for (const auto& [row, references] : contents.fBroken)
            WriteReferenceBlock(log, row.fName, references,
                                [&](const CSF10ReferenceChunk& reference)
                                { return DescribeReference(reference, row.fName); });
        log.EmptyLines(5);
    }
    WriteNodeReferences(log, "External Vantle references:", contents.fExternal, sourceFolder, shortcuts,
                        true);
    if (!contents.fProhibitedUsers.empty())
    {
        log.Line("Files that references prohibited device types:");
        for (const auto& [node, devices] : contents.fProhibitedUsers)
        {
            TUTF16String line = kIndent1 + GetLogRelativePath(*node, sourceFolder, shortcuts) +
                                Text(" uses the following prohibited device type(s): ");
            for (std::size_t i = 0; i < devices.size(); ++i)
                line += (i == 0 ? TUTF16String() : Text(", ")) + devices[i];
            log.Line(line);
        }
        log.EmptyLines(5);
    }
    WriteNodeList(log, "Items skipped due to referenced samples being skipped:", contents.fSkippedReferrers,
                  sourceFolder, shortcuts);
    WriteNodeList(log, "Unreferenced samples:", contents.fUnreferencedSamples, sourceFolder, shortcuts);
    log.Line(contents.fComplete != 0 ? "Packing complete" : "Packing aborted");
    log.Flush();
}

void OpenLogFile(const NSFileLibSupport::TFileSpecPtr& log)
{
    if (NSFerrant::OpenWithShell(NSFileLibSupport::GetFileWinPath(log.get())))
        MessageBeep(0xFFFFFFFF);
}
} // namespace NSVantlePacking
