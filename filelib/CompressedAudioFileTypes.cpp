#include "filelib/CompressedAudioFileTypes.h"

std::vector<TCompressedAudioExtension> MakeCompressedAudioExtensionList()
{
    return {{".mp3", 0}, {".aac", 0}, {".m4a", 0}, {".m4p", 0}, {".wma", 0}};
}

const std::vector<NSFileLibSupport::SFileTypeDescriptor>& GetCompressedAudioFileTypes()
{
    // Single-threaded program: the lazy build takes no lock.
    static const std::vector<NSFileLibSupport::SFileTypeDescriptor> types = [] {
        std::vector<NSFileLibSupport::SFileTypeDescriptor> descriptors;
        for (const TCompressedAudioExtension& entry : MakeCompressedAudioExtensionList())
            descriptors.push_back(NSFileLibSupport::MakeFileTypeDescriptor(entry.fExtension, entry.fTypeCode));
        return descriptors;
    }();
    return types;
}
