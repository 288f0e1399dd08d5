#include "base/ExceptionBody.h"

#include "base/ObjectTypeNames.h"

namespace NSQuorral
{
namespace
{
u32 EarliestRealKind(const std::vector<TExceptionFrame>& frames)
{
    for (const TExceptionFrame& frame : frames)
    {
        if (frame.fKind != kFailureCode_UndefinedException)
            return frame.fKind;
    }
    return kFailureCode_UndefinedException;
}

// Each key once, in the order of its last occurrence, with its last value.
TExceptionFrame CloseEntry(TExceptionFrame entry)
{
    std::vector<TExceptionProperty> merged;
    for (TExceptionProperty& property : entry.fProperties)
    {
        std::erase_if(merged, [&](const TExceptionProperty& p) { return p.fKey == property.fKey; });
        merged.push_back(std::move(property));
    }
    entry.fProperties = std::move(merged);
    return entry;
}
} // namespace

namespace NSQuorralDetails
{
CExceptionBodyMixin::CExceptionBodyMixin(bool fresh, const TThrowSite& originSite, u32 kind,
                                         std::vector<TExceptionFrame> frames)
    : fFresh(fresh), fOriginSite(originSite), fKind(kind), fFrames(std::move(frames))
{
}
} // namespace NSQuorralDetails

CExceptionBodyMixin MakeBodyFromSite(const TThrowSite& site)
{
    return CExceptionBodyMixin(false, site, kFailureCode_UndefinedException, {});
}

CExceptionBodyMixin AppendFrame(const CExceptionBodyMixin& body, const TExceptionFrame& frame)
{
    std::vector<TExceptionFrame> frames = GetFrameList(body);
    frames.push_back(frame);
    const u32 kind = EarliestRealKind(frames);
    return CExceptionBodyMixin(false, body.GetOriginSite(), kind, std::move(frames));
}

std::vector<TExceptionFrame> GetFrameList(const CExceptionBodyMixin& body)
{
    if (!body.IsFresh() && body.GetFrames().empty() && body.GetKind() != kFailureCode_UndefinedException)
        return {TExceptionFrame{body.GetOriginSite(), body.GetKind(), "", {}}};
    return body.GetFrames();
}

std::vector<TExceptionFrame> GatherFrames(const CExceptionBodyMixin& body)
{
    std::vector<TExceptionFrame> list = GetFrameList(body);
    std::vector<TExceptionFrame> result;
    if (list.empty())
        return result;
    TExceptionFrame current = list.front();
    for (auto frame = list.begin() + 1; frame != list.end(); ++frame)
    {
        if (frame->fKind == kFailureCode_UndefinedException)
        {
            current.fProperties.insert(current.fProperties.end(), frame->fProperties.begin(),
                                       frame->fProperties.end());
        }
        else
        {
            result.push_back(CloseEntry(std::move(current)));
            current = *frame;
        }
    }
    if (current.fKind != kFailureCode_UndefinedException)
        result.push_back(CloseEntry(std::move(current)));
    return result;
}

TExceptionFrame GetLastFrame(const CExceptionBodyMixin& body)
{
    std::vector<TExceptionFrame> entries = GatherFrames(body);
    if (entries.empty())
        return TExceptionFrame();
    return std::move(entries.back());
}

TPropertyValue FindProperty(const TExceptionFrame& frame, const TFixedName& key)
{
    for (const TExceptionProperty& property : frame.fProperties)
    {
        if (property.fKey == key)
            return property.fValue;
    }
    return TPropertyValue();
}

TPropertyValue GetProperty(const CExceptionBodyMixin& body, const TFixedName& key)
{
    return FindProperty(GetLastFrame(body), key);
}

bool HasTargetObjectType(const CExceptionBodyMixin& body, const TFixedName& name)
{
    const TPropertyValue value = GetProperty(body, GetTargetObjectTypeKey());
    return value.GetTag() == kPropertyTag_Name && TFixedName(value.GetText()) == name;
}
} // namespace NSQuorral
