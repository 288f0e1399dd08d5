#include "filelib/CompressedAudioFileTypes.h"

#include <gtest/gtest.h>

TEST(CompressedAudioFileTypesTests, OneDescriptorPerExtensionInOrder)
{
    const auto& types = GetCompressedAudioFileTypes();
    EXPECT_EQ(&GetCompressedAudioFileTypes(), &types) << "one process-wide vector";
    const char16_t* const kExtensions[] = {u".mp3", u".aac", u".m4a", u".m4p", u".wma"};
    ASSERT_EQ(types.size(), std::size(kExtensions));
    for (size_t i = 0; i < types.size(); ++i)
    {
        const std::u16string expected = kExtensions[i];
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(types[i].extensions)), expected);
        EXPECT_EQ(types[i].extensions[expected.size()], 0);
        EXPECT_EQ(types[i].extensions[expected.size() + 1], 0) << "the rest is cleared";
        EXPECT_EQ(types[i].typeCode, 0u);
    }
}
