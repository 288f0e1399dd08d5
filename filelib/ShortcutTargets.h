#pragma once
// Finding a file in a folder either by itself or through a Windows shortcut to it.
#include "filelib/FileLibWrappers.h"

namespace NSFileLibSupport
{
// A file whose own name is name (ignoring case): the plain file of that name in folder, or the
// target of a shortcut there named "<name>.lnk" or "<name without its extension>.lnk". Empty
// when none is found. A shortcut that cannot be read or resolved is passed over; one whose
// target has another name is not followed further.
TFileSpecPtr FindChildShortcutTarget(NSFileLib::IDirSpec* folder, const TUTF16String& name);
} // namespace NSFileLibSupport
