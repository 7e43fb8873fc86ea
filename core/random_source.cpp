// SPDX-License-Identifier: MIT
#include "random_source.h"

#include <cerrno>
#include <cstddef>

#if defined(_WIN32)
#include <windows.h>
// windows.h must come first: bcrypt.h relies on its types.
#include <bcrypt.h>
#elif defined(__linux__)
#include <sys/random.h>
#else
#include <unistd.h>
#endif

namespace zorvane {

#if defined(_WIN32)

bool SystemRandomSource::Fill(std::span<std::uint8_t> bytes)
{
    // BCryptGenRandom takes a ULONG length; split larger requests.
    constexpr std::size_t kMaxChunk = 1u << 30;
    while (!bytes.empty()) {
        const std::size_t chunk = bytes.size() < kMaxChunk ? bytes.size() : kMaxChunk;
        if (!BCRYPT_SUCCESS(BCryptGenRandom(nullptr, bytes.data(), static_cast<ULONG>(chunk),
                                            BCRYPT_USE_SYSTEM_PREFERRED_RNG)))
            return false;
        bytes = bytes.subspan(chunk);
    }
    return true;
}

#elif defined(__linux__)

bool SystemRandomSource::Fill(std::span<std::uint8_t> bytes)
{
    // getrandom may return fewer bytes than asked when a signal arrives.
    while (!bytes.empty()) {
        const ssize_t got = getrandom(bytes.data(), bytes.size(), 0);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(got));
    }
    return true;
}

#else

bool SystemRandomSource::Fill(std::span<std::uint8_t> bytes)
{
    // getentropy serves at most 256 bytes a call.
    constexpr std::size_t kMaxChunk = 256;
    while (!bytes.empty()) {
        const std::size_t chunk = bytes.size() < kMaxChunk ? bytes.size() : kMaxChunk;
        if (getentropy(bytes.data(), chunk) != 0)
            return false;
        bytes = bytes.subspan(chunk);
    }
    return true;
}

#endif

} // namespace zorvane
