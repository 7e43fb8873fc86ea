// SPDX-License-Identifier: MIT
#include "wipe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

namespace zorvane {
namespace {

TEST(SecureWipe, ZeroesTheBytesAndKeepsTheStringsBuffer)
{
    std::array<unsigned char, 40> bytes{};
    bytes.fill(0xA5);
    SecureWipe(bytes.data() + 1, 38);
    EXPECT_EQ(bytes.front(), 0xA5);
    EXPECT_EQ(bytes.back(), 0xA5);
    EXPECT_TRUE(std::all_of(bytes.begin() + 1, bytes.end() - 1, [](auto b) { return b == 0; }));

    // Short texts live inside the string object, long ones on the heap. A
    // shortened text keeps its old characters past its size.
    for (std::string text : {std::string("k3x-secret"), std::string(100, 'q')}) {
        text.resize(text.size() / 2);
        const char *buffer = text.data();
        const std::size_t capacity = text.capacity();
        SecureWipe(text);
        EXPECT_TRUE(text.empty());
        ASSERT_EQ(text.data(), buffer) << "a new buffer would leave the old one unwiped";
        EXPECT_EQ(text.capacity(), capacity);
        EXPECT_EQ(std::count(buffer, buffer + capacity, '\0'), static_cast<long>(capacity));
    }
}

} // namespace
} // namespace zorvane
