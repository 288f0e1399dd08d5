#pragma once
// The structure of an AIFF or AIFF-C file: its format, loop, pitch, tempo-map location and where
// its frames lie.
#include "dlls/audiocodec/LibraryOperations.h"
#include "dlls/corliss/Corliss.h"

namespace NSCorlissLibrary
{
using TAIFFFile = NSAudioCodec::TAudioFile<NSCorliss::TChunkLocation>;

// A file that breaks its structure or runs past the source's end is XFormatViolation; a
// compression type or sample layout the library does not read is XUnsupportedFormat.
TAIFFFile ReadAIFFFile(const NSAudioCodec::CByteSource& source);
} // namespace NSCorlissLibrary
