#pragma once
// The packed type of a package entry: the one-byte code of its index row that says what kind of
// file the entry holds, and the file-type descriptor each code names.
#include "base/Types.h"
#include "filelib/FileTypeDescriptors.h"

// Codes 0, 24, 25, 28 and every code above 43 are not used.
enum EPackedFileType : u32
{
    kPackedTypeSong = 1,
    kPackedTypeCarvelPatch = 2,
    kPackedTypePellinPatch = 3,
    kPackedTypeLoopkinPatch = 4,
    kPackedTypeTamborinPatch = 5,
    kPackedTypeKIV2 = 6,
    kPackedTypeKIV = 7,
    kPackedTypeTIFF = 8,
    kPackedTypeJPEG = 9,
    kPackedTypeMIDI = 10,
    kPackedTypeKORB = 11,
    kPackedTypeChopwell = 12,
    kPackedTypePublishedSong = 13,
    kPackedTypeRaw = 14,
    kPackedTypeOndelPatch = 15,
    kPackedTypeSoundFont = 16,
    kPackedTypeOstrelPatch = 17,
    kPackedTypeYowlPatch = 18,
    kPackedTypeHallwickPatch = 19,
    kPackedTypeBraiderPatch = 20,
    kPackedTypeVeskPatch = 21,
    kPackedTypeLumenPatch = 22,
    kPackedTypeShuffloPatch = 23,
    kPackedTypeDictaSong = 26,
    kPackedTypeDictaDemoSong = 27,
    kPackedTypeBrakkaPatch = 29,
    kPackedTypeBrakkaDrumPatch = 30,
    kPackedTypeTeeSong = 31,
    kPackedTypeTeeDemoSong = 32,
    kPackedTypeTltdSong = 33,
    kPackedTypeTessaroSong = 34,
    kPackedTypeTessaroDemoSong = 35,
    kPackedTypeSnapjawPatch = 36,
    kPackedTypeTaplinePatch = 37,
    kPackedTypePestlarPatch = 38,
    kPackedTypeGramolaPatch = 39,
    kPackedTypeTeltSong = 40,
    kPackedTypeTeltDemoSong = 41,
    kPackedTypeTeiSong = 42,
    kPackedTypeTeiDemoSong = 43,
};

// True for the one type whose entries the package stores compressed (kPackedTypeBraiderPatch).
bool IsCompressedEntryType(u32 packedType);

// The descriptor an entry of that packed type matches; nullptr for the codes that match no
// descriptor (raw data, the patch and song kinds without a file extension, unused codes).
// Descriptors are built once and never change.
const NSFileLibSupport::SFileTypeDescriptor* GetPackedFileTypeDescriptor(u32 packedType);

// Whether an entry of that packed type is of the given type: its descriptor matches the type
// (DoFileTypesMatch). A code without a descriptor is of no type at all.
bool IsPackedTypeOfType(u32 packedType, const NSFileLibSupport::SFileTypeDescriptor& type);
