#pragma once
// Recognises a published song: a "FORM" "TNPS" whose inner song is a compressed "BODY" chunk.
namespace NSFerrant
{
class CMedia;
}

// True when the 12 bytes at the media's position are "FORM", any size, "TNPS"; false when fewer
// are left. The position is not moved.
bool IsPublishedSongMedia(NSFerrant::CMedia& media);
