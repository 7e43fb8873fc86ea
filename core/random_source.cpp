// SPDX-License-Identifier: MIT
#include "random_source.h"

#include <cerrno>
#include <cstddef>

#if defined(_WIN32)
#include <windows.h>
// windows.h must come first: bcrypt.h relies on its types.
#include <bcrypt.h>

#include "system_library.h"
#elif defined(__linux__)
#include <sys/random.h>
#else
#include <unistd.h>
#endif

namespace zorvane {

#if defined(_WIN32)

namespace {

// The type of the real call; SystemCall must match it.
using GenRandom = decltype(&BCryptGenRandom);

// bcrypt.dll is not a KnownDLL, so a static import would be looked for beside
// the program first, where anyone who can write a file could plant one
// ("Dynamic-Link Library Security"). It is loaded from the system folder
// only, once, when the first password is asked for, and kept loaded for the
// life of the process.
GenRandom FromSystemFolder()
{
    const HMODULE library = LoadSystemLibrary(L"bcrypt.dll");
    return library ? ProcedureAddress<GenRandom>(library, "BCryptGenRandom") : nullptr;
}

NTSTATUS WINAPI CallFromSystemFolder(BCRYPT_ALG_HANDLE algorithm, PUCHAR buffer, ULONG size,
                                     ULONG flags)
{
    static const GenRandom call = FromSystemFolder();
    constexpr auto kNotFound = static_cast<NTSTATUS>(0xC0000225); // STATUS_NOT_FOUND
    return call ? call(algorithm, buffer, size, flags) : kNotFound;
}

} // namespace

SystemRandomSource::SystemRandomSource() : call_(&CallFromSystemFolder)
{}

bool SystemRandomSource::Fill(std::span<std::uint8_t> bytes)
{
    // BCryptGenRandom takes a ULONG length; split larger requests.
    constexpr std::size_t kMaxChunk = 1u << 30;
    while (!bytes.empty()) {
        const std::size_t chunk = bytes.size() < kMaxChunk ? bytes.size() : kMaxChunk;
        if (!BCRYPT_SUCCESS(call_(nullptr, bytes.data(), static_cast<ULONG>(chunk),
                                  BCRYPT_USE_SYSTEM_PREFERRED_RNG)))
            return false;
        bytes = bytes.subspan(chunk);
    }
    return true;
}

#elif defined(__linux__)

SystemRandomSource::SystemRandomSource() : call_(&getrandom)
{}

bool SystemRandomSource::Fill(std::span<std::uint8_t> bytes)
{
    // getrandom may return fewer bytes than asked when a signal arrives.
    while (!bytes.empty()) {
        const ssize_t got = call_(bytes.data(), bytes.size(), 0);
        if (got < 0 && errno == EINTR)
            continue;
        // It never returns 0 for a non-empty request; asking again could
        // loop for ever.
        if (got <= 0)
            return false;
        bytes = bytes.subspan(static_cast<std::size_t>(got));
    }
    return true;
}

#else

SystemRandomSource::SystemRandomSource() : call_(&getentropy)
{}

bool SystemRandomSource::Fill(std::span<std::uint8_t> bytes)
{
    // getentropy serves at most 256 bytes a call.
    constexpr std::size_t kMaxChunk = 256;
    while (!bytes.empty()) {
        const std::size_t chunk = bytes.size() < kMaxChunk ? bytes.size() : kMaxChunk;
        if (call_(bytes.data(), chunk) != 0)
            return false;
        bytes = bytes.subspan(chunk);
    }
    return true;
}

#endif

} // namespace zorvane
