#pragma once
// What both image codec libraries build the same way: the factory export, which makes the
// interface object when asked by its name, and the interface object, whose decode reads the
// source, lets the library's format check its header and decodes the rows.
#include "base/StatusFence.h"
#include "dlls/imagecodec/ImageDecoding.h"

#include <cstring>

namespace NSImageCodec
{
template <class TFormat>
inline constexpr NSQuorral::TStatusMapping kStatusMapping{TFormat::kBridge.fSuccess,
                                                          TFormat::kBridge.fFromCurrentException};

// TFormat gives: static constexpr TStatusBridge kBridge; static const char* InterfaceName();
// static TImageHeader ReadHeader(const std::vector<u8>&) (XFormatViolation for what is not an
// image of the format); static const CLSID& DecoderClass().
template <class TInterface, class TFormat>
class CImageCodecLibrary final : public TInterface
{
public:
    u32 Release() override
    {
        delete this;
        return TFormat::kBridge.fSuccess;
    }

    u32 Decode(IByteReader* reader, i64 byteCount, IPixelWriter* writer) override
    {
        return NSQuorral::FenceStatus(
            kStatusMapping<TFormat>,
            [&]
            {
                if (!reader || !writer)
                    ThrowInvalidArgument();
                const std::vector<u8> source = ReadSource(*reader, byteCount, TFormat::kBridge);
                const TImageHeader header = TFormat::ReadHeader(source);
                DecodeRows(source, TFormat::DecoderClass(), header, *writer, TFormat::kBridge);
            });
    }
};

// The library's success code with a new interface object; XUnsupportedFormat's status for
// another interface name.
template <class TInterface, class TFormat>
TInterface* CreateImageCodecLibrary(const char* interfaceName, u32* status)
{
    if (!status)
        return nullptr;
    return NSQuorral::FenceObject(kStatusMapping<TFormat>, status,
                                  [&]() -> TInterface*
                                  {
                                      if (!interfaceName ||
                                          std::strcmp(interfaceName, TFormat::InterfaceName()) != 0)
                                          ThrowUnsupportedFormat();
                                      return new CImageCodecLibrary<TInterface, TFormat>;
                                  });
}
} // namespace NSImageCodec
