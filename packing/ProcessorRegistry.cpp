#include "packing/ProcessorRegistry.h"

#include "content/package/PackedFileTypes.h"
#include "media/IFFChunk.h"
#include "packing/CopiedFileProcessors.h"
#include "packing/GramolaPatchProcessor.h"
#include "packing/K42SongProcessors.h"
#include "packing/PatchProcessors.h"
#include "packing/SampleProcessors.h"
#include "packing/SongProcessors.h"

#include <map>
#include <memory>
#include <vector>

using NSFileLibSupport::SFileTypeDescriptor;

namespace
{
struct TTypeCodeOrder
{
    bool operator()(const SFileTypeDescriptor& a, const SFileTypeDescriptor& b) const
    {
        return a.typeCode < b.typeCode;
    }
};

template <class TProcessor> using TTypeMap = std::map<SFileTypeDescriptor, TProcessor*, TTypeCodeOrder>;

TTypeMap<IFileTypeVerifier>& SourceVerifiers()
{
    static TTypeMap<IFileTypeVerifier> map;
    return map;
}

TTypeMap<IFileTypePacker>& SourcePackers()
{
    static TTypeMap<IFileTypePacker> map;
    return map;
}

std::map<i32, IFileTypeVerifier*>& PackedDataVerifiers()
{
    static std::map<i32, IFileTypeVerifier*> map;
    return map;
}

// The processor instances: made once, on the first build, and destroyed at process exit.
struct TProcessors
{
    template <class TProcessor, class... TArguments> TProcessor* Make(TArguments... arguments)
    {
        auto processor = std::make_unique<TProcessor>(arguments...);
        TProcessor* made = processor.get();
        fOwned.push_back(std::shared_ptr<void>(std::move(processor)));
        return made;
    }

    std::vector<std::shared_ptr<void>> fOwned;
};

// A row whose source verifier and packed-data verifier are the packer's own instance.
template <class TProcessor> void RegisterProcessor(const char* extensions, const char (&typeCode)[5], TProcessor* processor)
{
    NSVantlePacking::RegisterFileType(NSFileLibSupport::MakeFileTypeDescriptor(extensions, NSFerrant::MakeFourCC(typeCode)),
                                      processor, processor, processor);
}

void RegisterTable()
{
    static TProcessors processors;
    TProcessors& p = processors;
    const auto patch = [&p](u32 packedType, NSFerrant::TFourCC form = kFourCC_PTCH)
    { return p.Make<CPatchFileTypeProcessor>(packedType, form); };
    const auto k42 = [&p](u32 packedType) { return p.Make<CK42SongFileTypeProcessor>(packedType); };
    const auto kiv = [&p](u32 packedType) { return p.Make<CKIVFileTypeProcessor>(packedType); };
    auto* korb = p.Make<CKORBPackedFileVerifier>();
    auto* lumen = p.Make<CLMNPatchFileTypeVerifier>();
    using NSFileLibSupport::MakeFileTypeDescriptor;
    using NSFerrant::MakeFourCC;
    using NSVantlePacking::RegisterFileType;

    RegisterProcessor(".pad", "PAd ", p.Make<CRawFileTypeProcessor>(kPackedTypeRaw));
    RegisterFileType(MakeFileTypeDescriptor(".aif;.aiff", MakeFourCC("AIFF")), p.Make<CAIFFFileVerifier>(),
                     p.Make<CAIFFFileTypePacker>(), korb);
    RegisterFileType(MakeFileTypeDescriptor(".wav;.wave", MakeFourCC("WAVE")), p.Make<CWAVEFileVerifier>(),
                     p.Make<CWAVEFileTypePacker>(), korb);
    RegisterProcessor(".jpeg;.jpg", "JPEG", p.Make<CJPEGFileTypeProcessor>());
    RegisterProcessor(".mid;.midi", "Midi", p.Make<CMIDIFileTypeProcessor>());
    RegisterProcessor(".tessaro", "TsRo", k42(kPackedTypeTessaroSong));
    RegisterProcessor(".tsndemo", "TSoD", k42(kPackedTypeTessaroDemoSong));
    RegisterProcessor(".tei", "TIsn", k42(kPackedTypeTeiSong));
    RegisterProcessor(".teidemo", "TIsD", k42(kPackedTypeTeiDemoSong));
    RegisterProcessor(".telt", "TLsn", k42(kPackedTypeTeltSong));
    RegisterProcessor(".teltdemo", "TLsD", k42(kPackedTypeTeltDemoSong));
    RegisterProcessor(".tns", "TNS ", p.Make<CTNSFileTypeProcessor>());
    RegisterProcessor(".tps", "TPS ", p.Make<CPublishedSongFileTypeProcessor>());
    RegisterProcessor(".dicta", "=Dic", k42(kPackedTypeDictaSong));
    RegisterProcessor(".dicdemo", "DicD", k42(kPackedTypeDictaDemoSong));
    RegisterProcessor(".tee", "TEsn", k42(kPackedTypeTeeSong));
    RegisterProcessor(".teedemo", "TEsD", k42(kPackedTypeTeeDemoSong));
    RegisterProcessor(".tltd", "TLtd", k42(kPackedTypeTltdSong));
    RegisterProcessor(".cpw", "CPSO", kiv(kPackedTypeChopwell));
    RegisterProcessor(".kv2;.kiv2", "KIV2", kiv(kPackedTypeKIV2));
    RegisterProcessor(".kiv", "KIV ", kiv(kPackedTypeKIV));
    RegisterProcessor(".sf2", "SFnt", p.Make<CSoundFontFileTypeProcessor>());
    RegisterProcessor(".shuf", "SHUF", p.Make<CGroovePatchFileTypeProcessor>());
    RegisterProcessor(".crv", "CRV ", patch(kPackedTypeCarvelPatch));
    RegisterProcessor(".yw6", "YW6 ", patch(kPackedTypeYowlPatch));
    RegisterProcessor(".hw7", "HW7 ", patch(kPackedTypeHallwickPatch));
    RegisterProcessor(".pln", "PLN ", patch(kPackedTypePellinPatch));
    RegisterProcessor(".otl", "OTL ", patch(kPackedTypeOstrelPatch));
    RegisterProcessor(".brd", "BRD ", patch(kPackedTypeBraiderPatch));
    RegisterProcessor(".tbp", "TBP ", patch(kPackedTypeTamborinPatch));
    RegisterProcessor(".lkn", "LKin", patch(kPackedTypeLoopkinPatch));
    RegisterProcessor(".ond", "OND ", patch(kPackedTypeOndelPatch));
    RegisterProcessor(".vesk", "Vesk", patch(kPackedTypeVeskPatch));
    RegisterFileType(MakeFileTypeDescriptor(".lmn", MakeFourCC("LMN ")), lumen, patch(kPackedTypeLumenPatch), lumen);
    RegisterProcessor(".brk", "TPCk", patch(kPackedTypeBrakkaPatch));
    RegisterProcessor(".brkd", "TPCd", patch(kPackedTypeBrakkaDrumPatch, kFourCC_TPDP));
    RegisterProcessor(".snapjaw", "SNP ", patch(kPackedTypeSnapjawPatch));
    RegisterProcessor(".tapline", "TAP ", patch(kPackedTypeTaplinePatch));
    RegisterProcessor(".pestlar", "PES ", patch(kPackedTypePestlarPatch));
    RegisterProcessor(".gmpatch", "GMPA", p.Make<CGramolaDevicePatchProcessor>(kPackedTypeGramolaPatch));
}

template <class TProcessor> TProcessor* FindInMap(TTypeMap<TProcessor>& map, const CItemPtr& item)
{
    if (map.empty())
        NSVantlePacking::BuildProcessorRegistry();
    for (const auto& [type, processor] : map)
        if (item->IsOfType(type))
            return processor;
    return nullptr;
}
} // namespace

namespace NSVantlePacking
{
void BuildProcessorRegistry()
{
    static bool built = false;
    if (built)
        return;
    built = true;
    RegisterTable();
}

void RegisterFileType(SFileTypeDescriptor type, IFileTypeVerifier* verifier, IFileTypePacker* packer,
                      IFileTypeVerifier* packedDataVerifier)
{
    SourceVerifiers().emplace(type, verifier);
    SourcePackers().emplace(type, packer);
    PackedDataVerifiers().emplace(i32(packer->GetPackedType()), packedDataVerifier);
}

IFileTypeVerifier* FindVerifier(const CItemPtr& item)
{
    return FindInMap(SourceVerifiers(), item);
}

IFileTypePacker* FindPacker(const CItemPtr& item)
{
    return FindInMap(SourcePackers(), item);
}

IFileTypeVerifier* FindPackedDataVerifier(u32 packedType)
{
    std::map<i32, IFileTypeVerifier*>& map = PackedDataVerifiers();
    if (map.empty())
        BuildProcessorRegistry();
    const auto found = map.find(i32(packedType));
    return found == map.end() ? nullptr : found->second;
}
} // namespace NSVantlePacking
