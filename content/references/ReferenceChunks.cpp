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

// Copies the data of the chunk the reader has entered into the writer's level, begun alike.
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

void RewriteEnteredReferenceGroup(const CItemPtr& document, IReferenceRelocator& relocator,
                                  CIFFFileReader& reader, CIFFFileWriter& writer)
{
    writer.BeginCAT(kFourCC_REFS);
    RewriteReferencesChunk(document, relocator, reader.GetCurrentReader().GetMedia(),
                           writer.GetCurrentWriter().GetMedia());
    writer.EndLevel();
}

// Copies the chunks of the level the reader is at into the writer's level, rewriting the "REFS"
// groups. A "FORM" "REMB" is looked into only when rewriteREMB is set (at the document level),
// so that nesting in a hostile document never makes the walk recurse deeper.
void RewriteLevel(const CItemPtr& document, IReferenceRelocator& relocator, CIFFFileReader& reader,
                  CIFFFileWriter& writer, bool rewriteREMB);

void RewriteEnteredREMB(const CItemPtr& document, IReferenceRelocator& relocator, CIFFFileReader& reader,
                        CIFFFileWriter& writer)
{
    TIFFChunk references;
    if (!reader.GetCurrentReader().FindCAT(kFourCC_REFS, references))
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    writer.BeginFORM(kFourCC_REMB);
    RewriteLevel(document, relocator, reader, writer, false);
    writer.EndLevel();
}

void RewriteLevel(const CItemPtr& document, IReferenceRelocator& relocator, CIFFFileReader& reader,
                  CIFFFileWriter& writer, bool rewriteREMB)
{
    if (!reader.EnterFirstChunk())
        return;
    do
    {
        const TIFFChunk& chunk = reader.GetCurrentChunk();
        if (IsChunk(chunk, NSFerrant::kChunkKindCAT, kFourCC_REFS))
            RewriteEnteredReferenceGroup(document, relocator, reader, writer);
        else if (rewriteREMB && IsChunk(chunk, NSFerrant::kChunkKindFORM, kFourCC_REMB))
            RewriteEnteredREMB(document, relocator, reader, writer);
        else
            CopyEnteredChunk(reader, writer);
    } while (reader.EnterNextChunk());
}
} // namespace

void FindReferenceChunk(CIFFFileReader& reader, IReferenceResolver& resolver, TReferenceList& resolved,
                        TReferenceList& unresolvable, TReferenceList& inOtherPackage, bool& skippedTarget)
{
    if (!reader.EnterFirstChunk())
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    bool metReferences = false;
    do
    {
        if (!IsChunk(reader.GetCurrentChunk(), NSFerrant::kChunkKindCAT, kFourCC_REFS))
            continue;
        if (metReferences)
            NSQuorral::Throw<NSQuorral::XFormatViolation>();
        ParseReferencesChunk(reader.GetCurrentReader().GetMedia(), resolver, resolved, unresolvable,
                             inOtherPackage, skippedTarget);
        metReferences = true;
    } while (reader.EnterNextChunk());
    if (!metReferences)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
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
        const CSF10ReferenceChunk reference(body);
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
    } while (reader.EnterNextChunk());
}

void RewriteReferences(const CItemPtr& document, IReferenceRelocator& relocator, CIFFFileReader& reader,
                       CIFFFileWriter& writer)
{
    RewriteLevel(document, relocator, reader, writer, true);
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
