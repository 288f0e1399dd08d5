#pragma once
// Compressed audio files (MP3, AAC, MPEG-4 audio, Windows Media audio) count among the sample-like
// file types: the file-type descriptors to test an item against.
#include "base/Types.h"
#include "filelib/FileTypeDescriptors.h"

#include <string>
#include <vector>

struct TCompressedAudioExtension
{
    std::string fExtension; // with its leading "."
    u32 fTypeCode;          // 0: these kinds have no four-character code
};

// ".mp3", ".aac", ".m4a", ".m4p", ".wma", in this order, each of type code 0.
std::vector<TCompressedAudioExtension> MakeCompressedAudioExtensionList();

// One descriptor per extension of the list, in its order; built on the first call, the same
// process-wide vector after.
const std::vector<NSFileLibSupport::SFileTypeDescriptor>& GetCompressedAudioFileTypes();
