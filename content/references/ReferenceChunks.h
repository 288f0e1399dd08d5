#pragma once
// The reference group of a host document: a "CAT " "REFS" among the chunks of the document's top
// group, holding one "REFE" chunk per reference and any embedded files ("FORM" "EMBF"). The
// verifying walk files every reference by its resolver's answer; the rewriting walk copies a
// document chunk by chunk with every reference relocated.
#include "content/references/ReferenceResolution.h"

namespace NSFerrant
{
class CIFFFileReader;
class CIFFFileWriter;
class CMedia;
} // namespace NSFerrant

// Walks the level the reader has entered (the document's top group) as RewriteReferences does
// and files the references of every group it rewrites: exactly one "REFS" group must stand at
// that level, and every "FORM" "REMB" there must hold one, else XFormatViolation; other groups
// are not looked into. The lists receive copies: unresolvable holds the references not found and
// those the skip list leaves out, which also set skippedTarget (never cleared here).
void FindReferenceChunk(NSFerrant::CIFFFileReader& reader, IReferenceResolver& resolver,
                        TReferenceList& resolved, TReferenceList& unresolvable,
                        TReferenceList& inOtherPackage, bool& skippedTarget);

// As FindReferenceChunk, for a document that keeps its references in a "REMB" group: any number of
// "REFS" groups may stand at the document level.
void FindEveryReferenceGroup(NSFerrant::CIFFFileReader& reader, IReferenceResolver& resolver,
                             TReferenceList& resolved, TReferenceList& unresolvable,
                             TReferenceList& inOtherPackage, bool& skippedTarget);

// Files the references of one "REFS" group's data. A chunk other than "REFE" or a "FORM" "EMBF"
// is XFormatViolation; what was filed before it stays filed.
void ParseReferencesChunk(NSFerrant::CMedia& references, IReferenceResolver& resolver,
                          TReferenceList& resolved, TReferenceList& unresolvable,
                          TReferenceList& inOtherPackage, bool& skippedTarget);

// Copies the chunk the reader has entered (plain, "FORM", "CAT " or "LIST"; any other kind is
// XFormatViolation) as one member of the writer's current level: begun alike, its data unchanged.
void CopyEnteredChunk(NSFerrant::CIFFFileReader& reader, NSFerrant::CIFFFileWriter& writer);

// Files one reference by its resolver's answer, as ParseReferencesChunk files each of a group's.
// A reference that relocation refuses (RequireRelocatableType) is refused here, before the resolver.
void FileReference(const CSF10ReferenceChunk& reference, IReferenceResolver& resolver, TReferenceList& resolved,
                   TReferenceList& unresolvable, TReferenceList& inOtherPackage, bool& skippedTarget);

// Copies the reader's current level into the writer's current level, both entered into the
// document's top group. Every "REFS" group is written anew with its references relocated; a
// "FORM" "REMB" keeps all its chunks, in order, with the "REFS" groups in it rewritten (one must
// be there); every other chunk is copied as opaque data.
void RewriteReferences(const CItemPtr& document, IReferenceRelocator& relocator,
                       NSFerrant::CIFFFileReader& reader, NSFerrant::CIFFFileWriter& writer);

// Writes, from the destination's position, the chunks of a new "REFS" group's data: every "REFE"
// relocated, in current body versions, every "FORM" "EMBF" copied byte for byte, in the order of
// the source. Any other chunk is XFormatViolation.
void RewriteReferencesChunk(const CItemPtr& document, IReferenceRelocator& relocator,
                            NSFerrant::CMedia& source, NSFerrant::CMedia& destination);
