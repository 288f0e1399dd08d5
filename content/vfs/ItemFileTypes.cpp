#include "content/vfs/ItemFileTypes.h"

#include "filelib/FileLibWrappers.h"
#include "filelib/FileTypeNames.h"
#include "filelib/CompressedAudioFileTypes.h"

#include <algorithm>
#include <cstring>

using NSFileLibSupport::MakeFileTypeDescriptor;
using NSFileLibSupport::SFileTypeDescriptor;

namespace NSVirtualFS
{
const SFileTypeDescriptor& GetVantleFileType()
{
    static const SFileTypeDescriptor type = MakeFileTypeDescriptor(".vtl", 0);
    return type;
}

const SFileTypeDescriptor& GetSoundFontBankFileType()
{
    static const SFileTypeDescriptor type = MakeFileTypeDescriptor(".sf2", 0);
    return type;
}

const std::vector<SFileTypeDescriptor>& GetLoopFileTypes()
{
    static const std::vector<SFileTypeDescriptor> types = {
        MakeFileTypeDescriptor(".kiv", 0), MakeFileTypeDescriptor(".kv2;.kiv2", 0), MakeFileTypeDescriptor(".cpw", 0)};
    return types;
}

const std::vector<SFileTypeDescriptor>& GetSampleLikeFileTypes()
{
    static const std::vector<SFileTypeDescriptor> types = [] {
        std::vector<SFileTypeDescriptor> list = {MakeFileTypeDescriptor(".wav;.wave", 0),
                                                 MakeFileTypeDescriptor(".aif;.aiff", 0),
                                                 MakeFileTypeDescriptor(".krb;.korb", 0)};
        const std::vector<SFileTypeDescriptor>& compressed = GetCompressedAudioFileTypes();
        list.insert(list.end(), compressed.begin(), compressed.end());
        list.push_back(MakeFileTypeDescriptor(".sf2s", 0));
        list.push_back(MakeFileTypeDescriptor(".kivs", 0));
        return list;
    }();
    return types;
}
} // namespace NSVirtualFS

bool IsSampleFile(const CItemPtr& item)
{
    const std::vector<SFileTypeDescriptor>& types = NSVirtualFS::GetSampleLikeFileTypes();
    return std::any_of(types.begin(), types.end(),
                       [&item](const SFileTypeDescriptor& type) { return item->IsOfType(type); });
}

NSTextPackage::TUTF16String GetTypeNameExtension(const NSTextPackage::TUTF16String& name)
{
    NSTextPackage::TUTF16String base;
    NSTextPackage::TUTF16String extension;
    try
    {
        NSFileLibSupport::SplitExtension(name, base, extension);
    }
    catch (const std::exception&)
    {
        return {}; // a name the file library cannot split has no type it could name
    }
    return extension;
}

NSTextPackage::TUTF16String GetFriendlyTypeName(const NSTextPackage::TUTF16String& name)
{
    const NSTextPackage::TUTF16String extension = GetTypeNameExtension(name);
    if (extension.empty())
        return {};
    SFileTypeDescriptor type{};
    const std::size_t units = std::min<std::size_t>(extension.size(), SFileTypeDescriptor::kMaxExtensionUnits);
    std::memcpy(type.extensions, extension.data(), units * sizeof(u16));
    return NSFileLibSupport::GetFileTypeFriendlyName(type);
}
