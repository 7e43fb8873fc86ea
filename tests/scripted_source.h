// SPDX-License-Identifier: MIT
// A random source that hands out bytes chosen by the test.
#pragma once

#include "random_source.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zorvane::testing {

// Serves `script` in order, then `padding` for ever. Can be told to fail from
// a given call on; records the size of every call.
class ScriptedSource final : public RandomSource {
public:
    explicit ScriptedSource(std::vector<std::uint8_t> script = {}, std::uint8_t padding = 0)
        : script_(std::move(script)), padding_(padding)
    {}

    void FailFromCall(std::size_t call) { failFrom_ = call; }
    [[nodiscard]] const std::vector<std::size_t> &calls() const { return calls_; }

    bool Fill(std::span<std::uint8_t> bytes) override
    {
        calls_.push_back(bytes.size());
        if (calls_.size() >= failFrom_) {
            // A failing source may have scribbled on the buffer already.
            std::fill(bytes.begin(), bytes.end(), std::uint8_t{0xAB});
            return false;
        }
        for (std::uint8_t &byte : bytes)
            byte = next_ < script_.size() ? script_[next_++] : padding_;
        return true;
    }

private:
    std::vector<std::uint8_t> script_;
    std::uint8_t padding_;
    std::size_t next_ = 0;
    std::size_t failFrom_ = static_cast<std::size_t>(-1);
    std::vector<std::size_t> calls_;
};

} // namespace zorvane::testing
