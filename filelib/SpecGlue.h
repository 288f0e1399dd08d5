#pragma once
// The specification objects of the library: plain values whose whole state is one path that a
// path maker of the backend produced. No operation changes the path after construction.
#include "base/TextCompare.h"
#include "base/TextBuffers.h"
#include "base/TextConversions.h"
#include "base/UTF16String.h"
#include "filelib/FileLib.h"
#include "filelib/FileLibImpl.h"
#include "filelib/GlueFence.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <utility>

namespace NSFileLibInternals
{
// Clone, IsEqual and IsValid of a specification; TSelf is the concrete glue class.
template <class TInterface, class TSelf> class CABCSpecGlue : public TInterface
{
public:
    explicit CABCSpecGlue(TUTF16String path) : fPath(std::move(path)) {}

    const TUTF16String& GetPath() const { return fPath; }

    TInterface* Clone(u32* status) override
    {
        if (this->IsValid() == 0)
            return Refuse(status, NSFileLib::kFileLibInvalidObject);
        return MakeFenced<TInterface>(status, [&] { return std::make_unique<TSelf>(fPath); });
    }

    // Paths compare ignoring case.
    NSFileLib::TFileLibStatus IsEqual(TInterface* other, u32* result) override
    {
        if (this->IsValid() == 0)
            return NSFileLib::kFileLibInvalidObject;
        const TSelf* otherSpec = AsGlue<TSelf>(other);
        if (otherSpec == nullptr)
            return NSFileLib::kFileLibBadArgument;
        *result = NSFileLib::kFileLibResultNotSet;
        return RunFenced([&] {
            const bool equal = NSTextPackage::CompareText(fPath, otherSpec->GetPath(), 1) == NSTextPackage::kCompareEqual;
            *result = equal ? 1 : 0;
        });
    }

    u32 IsValid() override { return 1; }

private:
    TUTF16String fPath;
};

// GetName of a folder or file: the last component of the path, as TSelf::NameOfPath gives it.
template <class TInterface, class TSelf> class CABCNamedSpecGlue : public CABCSpecGlue<TInterface, TSelf>
{
public:
    using CABCSpecGlue<TInterface, TSelf>::CABCSpecGlue;

    NSFileLib::TFileLibStatus GetName(u16* name) override
    {
        if (this->IsValid() == 0)
            return NSFileLib::kFileLibInvalidObject;
        if (name == nullptr)
            return NSFileLib::kFileLibBadArgument;
        const u16 notSet[] = {u'6', u'6', u'6', 0};
        std::copy(std::begin(notSet), std::end(notSet), name);
        return RunFenced([&] {
            const TUTF16String text = TSelf::NameOfPath(this->GetPath());
            NSTextPackage::CopyWide(name, text.c_str(), NSFileLib::kFileLibNameBufferUnits - 1);
        });
    }
};

class CVolumeSpecGlue : public CABCSpecGlue<NSFileLib::IVolumeSpec, CVolumeSpecGlue>
{
public:
    using CABCSpecGlue::CABCSpecGlue;
};

class CDirSpecGlue : public CABCNamedSpecGlue<NSFileLib::IDirSpec, CDirSpecGlue>
{
public:
    using CABCNamedSpecGlue::CABCNamedSpecGlue;
    // The folder's name without "\"; empty for a volume root.
    static TUTF16String NameOfPath(const TUTF16String& path) { return CFileLibImpl::GetDirName(path); }
};

class CFileSpecGlue : public CABCNamedSpecGlue<NSFileLib::IFileSpec, CFileSpecGlue>
{
public:
    using CABCNamedSpecGlue::CABCNamedSpecGlue;
    static TUTF16String NameOfPath(const TUTF16String& path) { return CFileLibImpl::GetFileName(path); }
};
} // namespace NSFileLibInternals
