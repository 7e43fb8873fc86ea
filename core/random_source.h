// SPDX-License-Identifier: MIT
// Where the generator's randomness comes from.
#pragma once

#include <cstdint>
#include <span>

namespace zorvane {

// A source of uniformly random bytes. Kept behind an interface so that tests
// can script the exact bytes a request consumes.
class RandomSource {
public:
    virtual ~RandomSource() = default;

    // Fills every byte of `bytes`, or returns false. A false return means the
    // bytes must not be used: callers never fall back to anything weaker.
    [[nodiscard]] virtual bool Fill(std::span<std::uint8_t> bytes) = 0;
};

// The operating system's cryptographic source: getrandom on Linux,
// BCryptGenRandom on Windows, getentropy elsewhere. Never seeded from a clock.
class SystemRandomSource final : public RandomSource {
public:
    [[nodiscard]] bool Fill(std::span<std::uint8_t> bytes) override;
};

} // namespace zorvane
