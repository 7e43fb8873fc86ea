// SPDX-License-Identifier: MIT
// A Generate request against the cost of the random bytes it consumes.
#include "figure.h"
#include "generate.h"
#include "random_source.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// One whole request, as the Generate button runs it.
void BM_GeneratePassword(benchmark::State &state)
{
    zorvane::SystemRandomSource source;
    const std::string length = std::to_string(state.range(0));
    for (auto _ : state) {
        zorvane::GeneratedTexts texts = zorvane::GeneratePassword(length, source);
        benchmark::DoNotOptimize(texts.password.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_GeneratePassword)->Arg(8)->Arg(1000)->Arg(32767)->Unit(benchmark::kMicrosecond);

// The floor: the operating system filling as many bytes as a request of that
// length fetches (n + n/16 + 16; rejections rarely add a refill).
void BM_SystemSourceFill(benchmark::State &state)
{
    zorvane::SystemRandomSource source;
    const auto n = static_cast<std::size_t>(state.range(0));
    std::vector<std::uint8_t> bytes(n + n / 16 + 16);
    for (auto _ : state) {
        if (!source.Fill(bytes))
            state.SkipWithError("the system random source failed");
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_SystemSourceFill)->Arg(8)->Arg(1000)->Arg(32767)->Unit(benchmark::kMicrosecond);

// Reading a megabyte of pasted digits, the worst a length field can hold.
void BM_ReadCharCountMegabyte(benchmark::State &state)
{
    const std::string digits(std::size_t{1} << 20, '7');
    for (auto _ : state)
        benchmark::DoNotOptimize(zorvane::ReadCharCount(digits));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(digits.size()));
}
BENCHMARK(BM_ReadCharCountMegabyte)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
