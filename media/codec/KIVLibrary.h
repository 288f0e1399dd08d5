#pragma once
// The program's side of the KIV loop library: the process-wide use count that initialises and
// uninitialises it, the check of its results, and the reading of a loop file's information and
// slices from a media. Every library call goes through the table of KIVCalls.h.
#include "dlls/kiv/KIV.h"

#include <vector>

namespace NSFerrant
{
class CMedia;
}

// Take and give back one use of the library. It is initialised when the count leaves 0 (a
// failure throws and leaves the count at 0) and uninitialised when the count returns to 0.
// Giving back a use when none is held does nothing.
void InitializeKIVLibrary();
void UninitializeKIVLibrary();

// One use of the library for the object's life.
class CKIVLibraryUse
{
public:
    CKIVLibraryUse() { InitializeKIVLibrary(); }
    ~CKIVLibraryUse() { UninitializeKIVLibrary(); }
    CKIVLibraryUse(const CKIVLibraryUse&) = delete;
    CKIVLibraryUse& operator=(const CKIVLibraryUse&) = delete;
};

// Returns for 1, 2 and 3; throws the exception of the KIV status table for any other result.
void ThrowIfKIVFailure(i32 result);

// Refuses loop information the program cannot use, whatever the library answered: a negative
// slice count is XFormatViolation, a channel count other than 1 or 2 XUnsupportedFormat (a
// slice is rendered into one buffer per channel, and there are two at most).
void CheckKIVInfo(const TKIVInfo& info);

// The information of the loop file that file holds, read from the media's position for the
// media's size: callers hand a media positioned at its start. An empty media, or one larger than
// the 31 bits of the library's sizes, is XFormatViolation before the library is asked.
TKIVInfo GetKIVInfoFromMedia(NSFerrant::CMedia& file);

// The information of the loop file that file holds (read as GetKIVInfoFromMedia reads it) and
// the information of each of its slices, in slice order; a loop without slices gives none.
std::vector<TKIVSliceInfo> GetKIVSliceInfos(NSFerrant::CMedia& file, TKIVInfo& info);
