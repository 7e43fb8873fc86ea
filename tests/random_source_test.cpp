// SPDX-License-Identifier: MIT
#include "random_source.h"

#include "generate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
// windows.h must come first: bcrypt.h relies on its types.
#include <bcrypt.h>
#else
#include <sys/random.h>
#endif

namespace zorvane {
namespace {

// What the stand-in system call does next: serve up to that many bytes, or,
// when negative, fail with that errno (any failure on Windows). Once the plan
// runs out it is the real call. Records the size of every call.
std::deque<long> gPlan;
std::vector<std::size_t> gAsked;

std::optional<long> NextStep(unsigned char *buffer, std::size_t size)
{
    gAsked.push_back(size);
    if (gPlan.empty())
        return std::nullopt;
    const long step = gPlan.front();
    gPlan.pop_front();
    if (step < 0)
        return step;
    const std::size_t served = std::min(size, static_cast<std::size_t>(step));
    std::fill_n(buffer, served, std::uint8_t{7});
    return static_cast<long>(served);
}

#if defined(_WIN32)
NTSTATUS WINAPI StandIn(BCRYPT_ALG_HANDLE algorithm, PUCHAR buffer, ULONG size, ULONG flags)
{
    const std::optional<long> step = NextStep(buffer, size);
    if (!step)
        return BCryptGenRandom(algorithm, buffer, size, flags);
    constexpr auto kUnsuccessful = static_cast<NTSTATUS>(0xC0000001); // STATUS_UNSUCCESSFUL
    return *step < 0 ? kUnsuccessful : 0;
}
#else
ssize_t StandIn(void *buffer, std::size_t size, unsigned int flags)
{
    const std::optional<long> step = NextStep(static_cast<unsigned char *>(buffer), size);
    if (!step)
        return getrandom(buffer, size, flags);
    if (*step >= 0)
        return *step;
    errno = static_cast<int>(-*step);
    return -1;
}
#endif

TEST(SystemRandomSource, FetchesAPasswordInOneCallAndMakesNoneWhenTheCallFails)
{
    SystemRandomSource source(&StandIn);
    gAsked.clear();
    EXPECT_EQ(GeneratePassword("32767", source).password.size(), 32767u);
    EXPECT_EQ(gAsked.size(), 1u);

    gPlan = {-EIO};
    const GeneratedTexts texts = GeneratePassword("9", source);
    EXPECT_TRUE(texts.sourceFailed);
    EXPECT_EQ(texts.password, "");
}

#if !defined(_WIN32)
TEST(SystemRandomSource, RetriesAnInterruptionAndGoesOnAfterAShortRead)
{
    SystemRandomSource source(&StandIn);
    std::vector<std::uint8_t> bytes(12, 0);
    gPlan = {-EINTR, 5, 3, 100};
    gAsked.clear();
    EXPECT_TRUE(source.Fill(bytes));
    EXPECT_EQ(gAsked, (std::vector<std::size_t>{12, 12, 7, 4}));
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 7), 12);

    // Asking again after a call that served nothing could go on for ever.
    gPlan = {0};
    EXPECT_FALSE(source.Fill(bytes));
}
#endif

} // namespace
} // namespace zorvane
