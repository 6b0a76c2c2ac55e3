#include "archive/PageBackedBuffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using namespace orvik;

namespace {

constexpr size_t hugePage = PageBackedBuffer::hugePageSize;

// Every byte of the buffer can be written and read back.
void expectWholeRangeUsable(const PageBackedBuffer& buffer)
{
    ASSERT_NE(buffer.data(), nullptr);
    std::memset(buffer.data(), 0x5A, buffer.size());
    EXPECT_EQ(buffer.data()[0], 0x5A);
    EXPECT_EQ(buffer.data()[buffer.size() - 1], 0x5A);
}

TEST(PageBackedBufferTest, LargeBuffersAreMappedOnHugePageBoundariesWhereTheSystemOffersThem)
{
#ifdef __linux__
    if (!std::filesystem::exists("/sys/kernel/mm/transparent_hugepage/enabled"))
        GTEST_SKIP() << "this kernel has no transparent huge pages";
    const PageBackedBuffer buffer(3 * hugePage + 5);
    EXPECT_TRUE(buffer.hugePages());
    EXPECT_EQ(reinterpret_cast<uintptr_t>(buffer.data()) % hugePage, 0u);
    EXPECT_EQ(buffer.size(), 3 * hugePage + 5);
    expectWholeRangeUsable(buffer);
#else
    EXPECT_FALSE(PageBackedBuffer(3 * hugePage).hugePages());
#endif
}

TEST(PageBackedBufferTest, PlainAllocationServesWhenAskedForAndForSmallBuffers)
{
    for (const auto& [size, backing] : {std::pair{3 * hugePage, PageBacking::Plain},
                                         std::pair{hugePage - 1, PageBacking::HugePagesWhereOffered}}) {
        const PageBackedBuffer buffer(size, backing);
        EXPECT_FALSE(buffer.hugePages()) << size;
        EXPECT_EQ(buffer.size(), size);
        expectWholeRangeUsable(buffer);
    }
    EXPECT_EQ(PageBackedBuffer(0).data(), nullptr);
}

// The arrays of an open grow past the size of a huge page, from the free store into
// mappings that start on a huge page, and keep their elements on the way.
TEST(PageBackedVectorTest, ElementsSurviveGrowthIntoMappingsOnHugePageBoundaries)
{
    PageBackedVector<uint64_t> values;
    for (uint64_t k = 0; k < 3 * hugePage / sizeof(uint64_t); ++k)
        values.push_back(k * 7);
    for (uint64_t k = 0; k < values.size(); ++k)
        ASSERT_EQ(values[k], k * 7) << k;
#ifdef __linux__
    EXPECT_EQ(reinterpret_cast<uintptr_t>(values.data()) % hugePage, 0u);
#endif
    values.resize(5);
    values.shrink_to_fit();
    EXPECT_EQ(values.back(), 28u);
}

} // namespace

