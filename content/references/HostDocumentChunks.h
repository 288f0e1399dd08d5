#pragma once
// Chunk ids and group types of the host's documents (patches, songs, published songs).
#include "media/IFFChunk.h"

// The reference group ("CAT " "REFS") of "REFE" chunks, a further group ("FORM" "REMB") that holds
// one, and embedded files ("FORM" "EMBF") kept among the references.
constexpr NSFerrant::TFourCC kFourCC_REFS = NSFerrant::MakeFourCC("REFS");
constexpr NSFerrant::TFourCC kFourCC_REMB = NSFerrant::MakeFourCC("REMB");
constexpr NSFerrant::TFourCC kFourCC_REFE = NSFerrant::MakeFourCC("REFE");
constexpr NSFerrant::TFourCC kFourCC_EMBF = NSFerrant::MakeFourCC("EMBF");

// A song's device list ("CAT " "DEVL") and the description chunk of a device or a patch.
constexpr NSFerrant::TFourCC kFourCC_DEVL = NSFerrant::MakeFourCC("DEVL");
constexpr NSFerrant::TFourCC kFourCC_DESC = NSFerrant::MakeFourCC("DESC");

// A published song is a "FORM" "TNPS"; "TPS2" and "K42S" are chunks inside it, and its inner song
// is a compressed "BODY" chunk (kFourCC_BODY).
constexpr NSFerrant::TFourCC kFourCC_TNPS = NSFerrant::MakeFourCC("TNPS");
constexpr NSFerrant::TFourCC kFourCC_TPS2 = NSFerrant::MakeFourCC("TPS2");
constexpr NSFerrant::TFourCC kFourCC_K42S = NSFerrant::MakeFourCC("K42S");
