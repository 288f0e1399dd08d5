#pragma once
// The structure of a WAVE file: its format, loop, pitch, tempo-map location and where its frames
// lie.
#include "dlls/audiocodec/LibraryOperations.h"
#include "dlls/undine/Undine.h"

namespace NSUndineLibrary
{
using TWAVEFile = NSAudioCodec::TAudioFile<NSUndine::TChunkLocation>;

// A file that breaks its structure or runs past the source's end is XFormatViolation; an
// encoding the library does not read (floats, compressed formats) is XUnsupportedFormat.
TWAVEFile ReadWAVEFile(const NSAudioCodec::CByteSource& source);
} // namespace NSUndineLibrary
