// SPDX-License-Identifier: MIT
// A random source that hands out bytes chosen by the test.
#pragma once

#include "random_source.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zorvane::testing {

// Serves `script` in order, then `padding` for ever, and fails from call
// `failFrom` on. Records the size of every call, and counts the bytes it was
// handed that were not zero: spent bytes the caller failed to wipe.
struct ScriptedSource final : RandomSource {
    explicit ScriptedSource(std::vector<std::uint8_t> bytes = {}, std::uint8_t then = 0)
        : script(std::move(bytes)), padding(then)
    {}

    bool Fill(std::span<std::uint8_t> bytes) override
    {
        calls.push_back(bytes.size());
        given = bytes.data();
        unwiped += bytes.size() - std::size_t(std::count(bytes.begin(), bytes.end(), 0));
        if (calls.size() >= failFrom) {
            // A failing source may have scribbled on the buffer already.
            std::fill(bytes.begin(), bytes.end(), std::uint8_t{0xAB});
            return false;
        }
        for (std::uint8_t &byte : bytes)
            byte = next < script.size() ? script[next++] : padding;
        return true;
    }

    std::vector<std::uint8_t> script;
    std::uint8_t padding;
    const std::uint8_t *given = nullptr; // the bytes the last call filled
    std::size_t next = 0;
    std::size_t failFrom = static_cast<std::size_t>(-1);
    std::vector<std::size_t> calls;
    std::size_t unwiped = 0;
};

} // namespace zorvane::testing
