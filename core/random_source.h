// SPDX-License-Identifier: MIT
// Where the generator's randomness comes from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#if defined(__linux__)
#include <sys/types.h>
#endif

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
// BCryptGenRandom on Windows (from the system folder, looked up when first
// used; failing that, every request fails), getentropy elsewhere. Never seeded
// from a clock.
class SystemRandomSource final : public RandomSource {
public:
    // The system call behind the source, with the signature of the real one,
    // so that tests can stand in for it and make it fail.
#if defined(_WIN32)
    // BCryptGenRandom's, spelt without windows.h.
    using SystemCall = long(__stdcall *)(void *algorithm, unsigned char *buffer, unsigned long size,
                                         unsigned long flags);
#elif defined(__linux__)
    using SystemCall = ssize_t (*)(void *buffer, std::size_t size, unsigned int flags);
#else
    using SystemCall = int (*)(void *buffer, std::size_t size);
#endif

    SystemRandomSource();
    explicit SystemRandomSource(SystemCall call) : call_(call)
    {}

    // Any failure of the call but an interruption is final. A call that
    // delivers nothing counts as one, rather than being asked again for ever.
    [[nodiscard]] bool Fill(std::span<std::uint8_t> bytes) override;

private:
    SystemCall call_;
};

} // namespace zorvane
