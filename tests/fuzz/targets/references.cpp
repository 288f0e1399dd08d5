// Sample references as host documents store them. The first byte chooses the reader: 0 one
// "REFE" body, 1 the data of a "REFS" group (its "REFE" chunks filed by a resolver), 2, 3 and 4 a
// relative, database or absolute path description alone. Whatever reads goes through the round
// trips of support/ReferenceRoundTrips.h: stored forms and XML written, read back and written
// again equal.
#include "content/references/ReferenceChunks.h"
#include "tests/fuzz/support/ReferenceRoundTrips.h"

#include <optional>

using NSFerrant::CMedia;
using NSFerrant::COwnedMemoryMedia;

namespace
{
// Checks each reference it is given and files them in turn under every answer.
class CCheckingResolver final : public IReferenceResolver
{
public:
    EReferenceResolveResult Resolve(const CSF10ReferenceChunk& reference) override
    {
        NSFuzz::CheckReferenceRoundTrips(reference);
        return EReferenceResolveResult(fCalls++ % 4);
    }

    size_t fCalls = 0;
};

void ReadReferenceGroup(CMedia& media)
{
    CCheckingResolver resolver;
    TReferenceList resolved;
    TReferenceList unresolvable;
    TReferenceList inOtherPackage;
    bool skippedTarget = false;
    if (!NSFuzz::ReadsOrRefuses(
            [&] {
                ParseReferencesChunk(media, resolver, resolved, unresolvable, inOtherPackage, skippedTarget);
            }))
        return;
    NSFuzz::Require(resolved.size() + unresolvable.size() + inOtherPackage.size() == resolver.fCalls &&
                        skippedTarget == (resolver.fCalls > 1),
                    "references filed other than answered");
}

template <class TPath> void ReadPath(CMedia& media)
{
    TPath path;
    if (NSFuzz::ReadsOrRefuses([&] { path.Read(media); }))
        NSFuzz::CheckPathRoundTrips(path);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, size_t size)
{
    if (size < 1)
        return 0;
    NSFuzz::InstallRootNames();
    COwnedMemoryMedia media(i64(size - 1), data + 1);
    switch (data[0] % 5)
    {
    case 0:
    {
        std::optional<CSF10ReferenceChunk> reference;
        if (NSFuzz::ReadsOrRefuses([&] { reference.emplace(media); }))
            NSFuzz::CheckReferenceRoundTrips(*reference);
        break;
    }
    case 1:
        ReadReferenceGroup(media);
        break;
    case 2:
        ReadPath<CRelativePath>(media);
        break;
    case 3:
        ReadPath<CDatabasePath>(media);
        break;
    default:
        ReadPath<CAbsolutePath>(media);
        break;
    }
    return 0;
}
