#include "content/package/PackedFileTypes.h"

#include "content/package/ContentFileTypes.h"

#include <array>

using NSFileLibSupport::MakeFileTypeDescriptor;
using NSFileLibSupport::SFileTypeDescriptor;

namespace
{
constexpr u32 kLastPackedType = kPackedTypeTeiDemoSong;

// The extension lists of the types the packing engine recognises its sources by; an entry of
// such a type matches by extension only. The codes missing here have no descriptor, apart from
// the TIFF and KORB types, whose descriptors are the content model's own (with type codes).
struct TPackedExtensions
{
    u32 fPackedType;
    const char* fExtensions;
};
constexpr TPackedExtensions kPackedExtensions[] = {
    {kPackedTypeSong, ".tns"},
    {kPackedTypeCarvelPatch, ".crv"},
    {kPackedTypePellinPatch, ".pln"},
    {kPackedTypeLoopkinPatch, ".lkn"},
    {kPackedTypeTamborinPatch, ".tbp"},
    {kPackedTypeKIV2, ".kv2;.kiv2"},
    {kPackedTypeKIV, ".kiv"},
    {kPackedTypeJPEG, ".jpeg;.jpg"},
    {kPackedTypeMIDI, ".mid;.midi"},
    {kPackedTypeChopwell, ".cpw"},
    {kPackedTypePublishedSong, ".tps"},
    {kPackedTypeOndelPatch, ".ond"},
    {kPackedTypeSoundFont, ".sf2"},
    {kPackedTypeOstrelPatch, ".otl"},
    {kPackedTypeYowlPatch, ".yw6"},
    {kPackedTypeHallwickPatch, ".hw7"},
    {kPackedTypeBraiderPatch, ".brd"},
    {kPackedTypeVeskPatch, ".vesk"},
    {kPackedTypeShuffloPatch, ".shuf"},
    {kPackedTypeBrakkaPatch, ".brk"},
    {kPackedTypeBrakkaDrumPatch, ".brkd"},
    {kPackedTypeTeeSong, ".tee"},
    {kPackedTypeTeeDemoSong, ".teedemo"},
    {kPackedTypeTltdSong, ".tltd"},
    {kPackedTypeTessaroSong, ".tessaro"},
    {kPackedTypeTessaroDemoSong, ".tsndemo"},
    {kPackedTypeGramolaPatch, ".gmpatch"},
    {kPackedTypeTeltSong, ".telt"},
    {kPackedTypeTeltDemoSong, ".teltdemo"},
    {kPackedTypeTeiSong, ".tei"},
    {kPackedTypeTeiDemoSong, ".teidemo"},
};

// Indexed by packed type; an empty slot matches nothing.
using TDescriptorTable = std::array<const SFileTypeDescriptor*, kLastPackedType + 1>;

const TDescriptorTable& DescriptorTable()
{
    // Single-threaded program: the lazy build takes no lock.
    static const std::array<SFileTypeDescriptor, std::size(kPackedExtensions)> extensionTypes = []
    {
        std::array<SFileTypeDescriptor, std::size(kPackedExtensions)> types;
        for (std::size_t i = 0; i < types.size(); ++i)
            types[i] = MakeFileTypeDescriptor(kPackedExtensions[i].fExtensions, 0);
        return types;
    }();
    static const TDescriptorTable table = []
    {
        TDescriptorTable slots{};
        for (std::size_t i = 0; i < extensionTypes.size(); ++i)
            slots[kPackedExtensions[i].fPackedType] = &extensionTypes[i];
        slots[kPackedTypeTIFF] = &GetContentFileType(kContentFileTypeTIFF);
        slots[kPackedTypeKORB] = &GetContentFileType(kContentFileTypeKORB);
        return slots;
    }();
    return table;
}
} // namespace

bool IsCompressedEntryType(u32 packedType)
{
    return packedType == kPackedTypeBraiderPatch;
}

const SFileTypeDescriptor* GetPackedFileTypeDescriptor(u32 packedType)
{
    return packedType <= kLastPackedType ? DescriptorTable()[packedType] : nullptr;
}

bool IsPackedTypeOfType(u32 packedType, const SFileTypeDescriptor& type)
{
    const SFileTypeDescriptor* descriptor = GetPackedFileTypeDescriptor(packedType);
    return descriptor != nullptr && NSFileLibSupport::DoFileTypesMatch(type, *descriptor);
}
