// SPDX-License-Identifier: MIT
// Every block handed back, by free() or by realloc(), goes back zeroed.
#include "wipe_freed.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace zorvane::qt {
namespace {

// Blocks of 16 usable bytes, from the test's own memory; each block handed
// back is read as it goes, never after.
struct Heap {
    std::array<std::array<char, 16>, 4> blocks{};
    int used = 0;
    std::vector<std::string> released; // what each block held as it went back
    void *Allocate(std::size_t) { return blocks.at(std::size_t(used++)).data(); }
    void Release(void *block) { released.emplace_back(static_cast<char *>(block), 16); }
    std::size_t UsableSize(void *) { return 16; }
};

const std::string kZeroes(16, '\0');

TEST(WipeFreedTest, AFreedBlockGoesBackZeroed)
{
    Heap heap;
    void *block = heap.Allocate(16);
    std::memcpy(block, "k3tz9qwm8x2p5vn7", 16);
    FreeWiped(heap, block);
    EXPECT_EQ(heap.released, std::vector<std::string>{kZeroes});
}

TEST(WipeFreedTest, ReallocZeroesTheBlockItLeaves)
{
    Heap heap;
    char *block = static_cast<char *>(heap.Allocate(16));
    std::memcpy(block, "k3tz9qwm8x2p5vn7", 16);
    // Shrinking keeps the block, whole.
    EXPECT_EQ(ReallocWiped(heap, block, 8), block);
    EXPECT_TRUE(heap.released.empty());
    // Growing moves it, and the old block goes back zeroed.
    auto *grown = static_cast<char *>(ReallocWiped(heap, block, 17));
    EXPECT_NE(grown, block);
    EXPECT_EQ(std::string(grown, 16), "k3tz9qwm8x2p5vn7");
    EXPECT_EQ(heap.released, std::vector<std::string>{kZeroes});
    // Size 0 frees.
    EXPECT_EQ(ReallocWiped(heap, grown, 0), nullptr);
    EXPECT_EQ(heap.released, (std::vector<std::string>{kZeroes, kZeroes}));
}

} // namespace
} // namespace zorvane::qt
