// SPDX-License-Identifier: MIT
// Every block handed back, by free() or by realloc(), goes back zeroed.
#include "wipe_freed.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace zorvane::qt {
namespace {

// Blocks of 16 usable bytes, from the test's own memory; each block handed
// back is read as it goes, never after.
struct Heap {
    std::array<std::array<char, 16>, 3> blocks{};
    std::size_t used = 0;
    std::vector<std::string> released;
    void *Allocate(std::size_t) { return blocks.at(used++).data(); }
    void Release(void *block) { released.emplace_back(static_cast<char *>(block), 16); }
    std::size_t UsableSize(void *) { return 16; }
};

TEST(WipeFreedTest, ReallocZeroesEveryBlockItHandsBack)
{
    Heap heap;
    auto *block = static_cast<char *>(heap.Allocate(16));
    std::memcpy(block, "k3tz9qwm8x2p5vn7", 16);
    EXPECT_EQ(ReallocWiped(heap, block, 8), block) << "a block that shrinks stays whole";
    EXPECT_TRUE(heap.released.empty());
    auto *grown = static_cast<char *>(ReallocWiped(heap, block, 17));
    EXPECT_EQ(std::string(grown, 16), "k3tz9qwm8x2p5vn7");
    EXPECT_EQ(heap.released, std::vector<std::string>{std::string(16, '\0')}) << "the old block";
    EXPECT_EQ(ReallocWiped(heap, grown, 0), nullptr);
    EXPECT_EQ(heap.released.back(), std::string(16, '\0')) << "a block freed by size 0";
}

} // namespace
} // namespace zorvane::qt
