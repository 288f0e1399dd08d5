#pragma once
// The file-type descriptors the content model defines itself: packages, and the kinds of item it
// makes out of packed samples, images, loop files and SoundFont banks.
#include "filelib/FileTypeDescriptors.h"

enum EContentFileType : u32
{
    kContentFileTypePackage,         // ".vtl", "VTL ": which files are packages
    kContentFileTypeKORB,            // ".krb;.korb", "KoRB": samples of the lossless sample codec
    kContentFileTypeTIFF,            // ".tif;.tiff", "TIFF"
    kContentFileTypeLoopSlice,       // ".kivs", "KIVs": the slices of a loop file
    kContentFileTypeSoundFontPreset, // ".sf2p", "SF2p": the presets of a SoundFont bank
    kContentFileTypeSoundFontSample, // ".sf2s", "SF2s": the samples of a SoundFont bank
    kContentFileTypeCount
};

// The descriptors are built once, on first use, and never change.
const NSFileLibSupport::SFileTypeDescriptor& GetContentFileType(EContentFileType type);
