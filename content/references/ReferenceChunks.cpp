#include "content/references/ReferenceChunks.h"

#include "base/Throw.h"
#include "content/references/HostDocumentChunks.h"
#include "media/IFFFileReader.h"
#include "media/IFFFileWriter.h"
#include "base/Media.h"

using NSFerrant::CIFFFileReader;
using NSFerrant::CIFFFileWriter;
using NSFerrant::TIFFChunk;

namespace
{
constexpr i64 kCopyBufferSize = 8192;

// A plain chunk of that id, or a group of that kind and type.
bool IsChunk(const TIFFChunk& chunk, u32 kind, NSFerrant::TFourCC fourCC)
{
    return chunk.fKind == kind && chunk.fFourCC == fourCC;
}

// The one walk of a document's top group that both verifying and rewriting follow, so that
// verification looks at exactly the reference groups the packer rewrites. A "FORM" "REMB" is
// looked into at the document level only, so that nesting in a hostile document never makes the
// walk recurse deeper; it must hold a "REFS" group.
class IDocumentLevelVisitor
{
public:
    virtual ~IDocumentLevelVisitor() = default;
    // The reader has entered a "REFS" group; atDocumentLevel is false inside a "REMB".
    virtual void ReferenceGroup(CIFFFileReader& reader, bool atDocumentLevel) = 0;
    virtual void BeginREMB() = 0;
    virtual void EndREMB() = 0;
    // The reader has entered any other chunk.
    virtual void OtherChunk(CIFFFileReader& reader) = 0;
};

void WalkLevel(CIFFFileReader& reader, IDocumentLevelVisitor& visitor, bool atDocumentLevel)
{
    if (!reader.EnterFirstChunk())
        return;
    do
    {
        const TIFFChunk& chunk = reader.GetCurrentChunk();
        if (IsChunk(chunk, NSFerrant::kChunkKindCAT, kFourCC_REFS))
            visitor.ReferenceGroup(reader, atDocumentLevel);
        else if (atDocumentLevel && IsChunk(chunk, NSFerrant::kChunkKindFORM, kFourCC_REMB))
        {
            TIFFChunk references;
            if (!reader.GetCurrentReader().FindCAT(kFourCC_REFS, references))
                NSQuorral::Throw<NSQuorral::XFormatViolation>();
            visitor.BeginREMB();
            WalkLevel(reader, visitor, false);
            visitor.EndREMB();
        }
        else
            visitor.OtherChunk(reader);
    } while (reader.EnterNextChunk());
}

// Files the references of every group the walk meets; with oneGroupAtTop, exactly one "REFS"
// group must stand at the document level (a second one is refused when it is met).
class CFilingVisitor : public IDocumentLevelVisitor
{
public:
    CFilingVisitor(IReferenceResolver& resolver, TReferenceList& resolved, TReferenceList& unresolvable,
                   TReferenceList& inOtherPackage, bool& skippedTarget, bool oneGroupAtTop)
        : fResolver(resolver), fResolved(resolved), fUnresolvable(unresolvable), fInOtherPackage(inOtherPackage),
          fSkippedTarget(skippedTarget), fOneGroupAtTop(oneGroupAtTop)
    {
    }

    void ReferenceGroup(CIFFFileReader& reader, bool atDocumentLevel) override
    {
        if (atDocumentLevel)
        {
            if (fOneGroupAtTop && fGroupsAtTop > 0)
                NSQuorral::Throw<NSQuorral::XFormatViolation>();
            ++fGroupsAtTop;
        }
        ParseReferencesChunk(reader.GetCurrentReader().GetMedia(), fResolver, fResolved, fUnresolvable,
                             fInOtherPackage, fSkippedTarget);
    }
    void BeginREMB() override {}
    void EndREMB() override {}
    void OtherChunk(CIFFFileReader&) override {}

    void RequireGroupAtTop() const
    {
        if (fOneGroupAtTop && fGroupsAtTop != 1)
            NSQuorral::Throw<NSQuorral::XFormatViolation>();
    }

private:
    IReferenceResolver& fResolver;
    TReferenceList& fResolved;
    TReferenceList& fUnresolvable;
    TReferenceList& fInOtherPackage;
    bool& fSkippedTarget;
    const bool fOneGroupAtTop;
    int fGroupsAtTop = 0;
};

void FileDocumentReferences(CIFFFileReader& reader, IReferenceResolver& resolver, TReferenceList& resolved,
                            TReferenceList& unresolvable, TReferenceList& inOtherPackage, bool& skippedTarget,
                            bool oneGroupAtTop)
{
    CFilingVisitor visitor(resolver, resolved, unresolvable, inOtherPackage, skippedTarget, oneGroupAtTop);
    WalkLevel(reader, visitor, true);
    visitor.RequireGroupAtTop();
}

// Copies every chunk into the writer's level, each "REFS" group written anew with its references
// relocated.
class CRewritingVisitor : public IDocumentLevelVisitor
{
public:
    CRewritingVisitor(const CItemPtr& document, IReferenceRelocator& relocator, CIFFFileWriter& writer)
        : fDocument(document), fRelocator(relocator), fWriter(writer)
    {
    }

    void ReferenceGroup(CIFFFileReader& reader, bool) override
    {
        fWriter.BeginCAT(kFourCC_REFS);
        RewriteReferencesChunk(fDocument, fRelocator, reader.GetCurrentReader().GetMedia(),
                               fWriter.GetCurrentWriter().GetMedia());
        fWriter.EndLevel();
    }
    void BeginREMB() override { fWriter.BeginFORM(kFourCC_REMB); }
    void EndREMB() override { fWriter.EndLevel(); }
    void OtherChunk(CIFFFileReader& reader) override { CopyEnteredChunk(reader, fWriter); }

private:
    const CItemPtr& fDocument;
    IReferenceRelocator& fRelocator;
    CIFFFileWriter& fWriter;
};
} // namespace

void FindReferenceChunk(CIFFFileReader& reader, IReferenceResolver& resolver, TReferenceList& resolved,
                        TReferenceList& unresolvable, TReferenceList& inOtherPackage, bool& skippedTarget)
{
    FileDocumentReferences(reader, resolver, resolved, unresolvable, inOtherPackage, skippedTarget, true);
}

void FindEveryReferenceGroup(CIFFFileReader& reader, IReferenceResolver& resolver, TReferenceList& resolved,
                             TReferenceList& unresolvable, TReferenceList& inOtherPackage, bool& skippedTarget)
{
    FileDocumentReferences(reader, resolver, resolved, unresolvable, inOtherPackage, skippedTarget, false);
}

void ParseReferencesChunk(NSFerrant::CMedia& references, IReferenceResolver& resolver,
                          TReferenceList& resolved, TReferenceList& unresolvable,
                          TReferenceList& inOtherPackage, bool& skippedTarget)
{
    CIFFFileReader reader(references);
    if (!reader.EnterFirstChunk())
        return;
    do
    {
        const TIFFChunk& chunk = reader.GetCurrentChunk();
        if (IsChunk(chunk, NSFerrant::kChunkKindFORM, kFourCC_EMBF))
            continue;
        if (!IsChunk(chunk, NSFerrant::kChunkKindPlain, kFourCC_REFE))
            NSQuorral::Throw<NSQuorral::XFormatViolation>();
        NSFerrant::CMedia& body = reader.GetCurrentReader().GetMedia();
        body.fPosition = 0;
        FileReference(CSF10ReferenceChunk(body), resolver, resolved, unresolvable, inOtherPackage, skippedTarget);
    } while (reader.EnterNextChunk());
}

void CopyEnteredChunk(CIFFFileReader& reader, CIFFFileWriter& writer)
{
    const TIFFChunk& chunk = reader.GetCurrentChunk();
    switch (chunk.fKind)
    {
    case NSFerrant::kChunkKindPlain:
        writer.BeginChunk(chunk.fFourCC);
        break;
    case NSFerrant::kChunkKindFORM:
        writer.BeginFORM(chunk.fFourCC);
        break;
    case NSFerrant::kChunkKindLIST:
        writer.BeginLIST(chunk.fFourCC);
        break;
    case NSFerrant::kChunkKindCAT:
        writer.BeginCAT(chunk.fFourCC);
        break;
    default:
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    }
    NSFerrant::CMedia& source = reader.GetCurrentReader().GetMedia();
    source.fPosition = 0;
    NSFerrant::CopyBytes(writer.GetCurrentWriter().GetMedia(), source.GetSize(), source, kCopyBufferSize);
    writer.EndLevel();
}

void FileReference(const CSF10ReferenceChunk& reference, IReferenceResolver& resolver, TReferenceList& resolved,
                   TReferenceList& unresolvable, TReferenceList& inOtherPackage, bool& skippedTarget)
{
    RequireRelocatableType(reference);
    switch (resolver.Resolve(reference))
    {
    case kReferenceResolved:
        resolved.push_back(reference);
        break;
    case kReferenceSkipped:
        unresolvable.push_back(reference);
        skippedTarget = true;
        break;
    case kReferenceUnresolved:
        unresolvable.push_back(reference);
        break;
    case kReferenceInOtherPackage:
        inOtherPackage.push_back(reference);
        break;
    default:
        // An answer outside the contract files the reference nowhere.
        break;
    }
}

void RewriteReferences(const CItemPtr& document, IReferenceRelocator& relocator, CIFFFileReader& reader,
                       CIFFFileWriter& writer)
{
    CRewritingVisitor visitor(document, relocator, writer);
    WalkLevel(reader, visitor, true);
}

void RewriteReferencesChunk(const CItemPtr& document, IReferenceRelocator& relocator,
                            NSFerrant::CMedia& source, NSFerrant::CMedia& destination)
{
    CIFFFileReader reader(source);
    CIFFFileWriter writer(destination);
    if (!reader.EnterFirstChunk())
        return;
    do
    {
        const TIFFChunk& chunk = reader.GetCurrentChunk();
        if (IsChunk(chunk, NSFerrant::kChunkKindPlain, kFourCC_REFE))
        {
            NSFerrant::CMedia& body = reader.GetCurrentReader().GetMedia();
            body.fPosition = 0;
            WriteReferenceChunk(writer, relocator.Relocate(document, CSF10ReferenceChunk(body)));
        }
        else if (IsChunk(chunk, NSFerrant::kChunkKindFORM, kFourCC_EMBF))
            CopyEnteredChunk(reader, writer);
        else
            NSQuorral::Throw<NSQuorral::XFormatViolation>();
    } while (reader.EnterNextChunk());
}
