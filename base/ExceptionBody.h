#pragma once
// The exception body: where and as what a failure was first thrown, and the frames its throws
// and re-throws added. It is the second base of every exception class, so a catch handler
// reaches it from a std::exception reference (GetExceptionBody). All records are plain values.
#include "base/ExceptionProperty.h"
#include "base/FailureCodes.h"
#include "base/Types.h"

#include <string>
#include <vector>

// Windows maps GetMessage to GetMessageW; included first here, it cannot rename the frame's
// GetMessage in files that include it later.
#include <windows.h>
#undef GetMessage

namespace NSQuorral
{
// The place of a throw. The program leaves the texts empty and the line 0; the machinery only
// copies sites.
struct TThrowSite
{
    char fFirstText[65] = {};
    char fSecondText[513] = {};
    char fThirdText[130] = {};
    u32 fLine = 0;
};

// One step of an exception's history. A frame of kind 5 is a context frame: a re-throw adds it
// and it contributes only its properties.
struct TExceptionFrame
{
    u32 GetKind() const { return fKind; }
    std::string GetMessage() const { return fMessage; }

    TThrowSite fSite;
    u32 fKind = kFailureCode_UndefinedException;
    std::string fMessage;
    std::vector<TExceptionProperty> fProperties;
};

namespace NSQuorralDetails
{
class CExceptionBodyMixin
{
public:
    // A fresh body: the exception was made from a message and has not been thrown through
    // ThrowException yet.
    CExceptionBodyMixin() = default;
    CExceptionBodyMixin(bool fresh, const TThrowSite& originSite, u32 kind,
                        std::vector<TExceptionFrame> frames);

    bool IsFresh() const { return fFresh; }
    const TThrowSite& GetOriginSite() const { return fOriginSite; }
    // Kind of the earliest frame whose kind is not 5; 5 when there is none.
    u32 GetKind() const { return fKind; }
    // Oldest first.
    const std::vector<TExceptionFrame>& GetFrames() const { return fFrames; }

private:
    bool fFresh = true;
    TThrowSite fOriginSite;
    u32 fKind = kFailureCode_UndefinedException;
    std::vector<TExceptionFrame> fFrames;
};
} // namespace NSQuorralDetails

using NSQuorralDetails::CExceptionBodyMixin;

// {not fresh, site, kind 5, no frames}.
CExceptionBodyMixin MakeBodyFromSite(const TThrowSite& site);
// A new, not fresh body with the frame appended to the body's frame list.
CExceptionBodyMixin AppendFrame(const CExceptionBodyMixin& body, const TExceptionFrame& frame);
// The body's frames; a not fresh body without frames but with a kind reads as one frame.
std::vector<TExceptionFrame> GetFrameList(const CExceptionBodyMixin& body);
// The frames as throws and catch handlers see them: each frame of a real kind followed by the
// properties of the context frames after it, each key once, the last value given winning.
std::vector<TExceptionFrame> GatherFrames(const CExceptionBodyMixin& body);

// The last gathered entry; for a body that gathers to nothing, a frame of kind 5.
TExceptionFrame GetLastFrame(const CExceptionBodyMixin& body);
// The value of the first property with that key; an empty value (tag 20) when there is none.
TPropertyValue FindProperty(const TExceptionFrame& frame, const TFixedName& key);
TPropertyValue GetProperty(const CExceptionBodyMixin& body, const TFixedName& key);
// True when "target_object_type" is a name property (tag 25) equal to name.
bool HasTargetObjectType(const CExceptionBodyMixin& body, const TFixedName& name);
} // namespace NSQuorral
