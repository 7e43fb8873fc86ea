// SPDX-License-Identifier: MIT
// Every committed fuzz input, through the same exact oracle the fuzzer uses:
// the inputs that once found faults are checked in every build, not only
// while fuzzing.
#include "request_oracle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace zorvane::fuzz {
namespace {

class RequestCorpus : public ::testing::TestWithParam<std::filesystem::path> {};

TEST_P(RequestCorpus, GivesWhatTheRulesSay)
{
    std::ifstream file(GetParam(), std::ios::binary);
    ASSERT_TRUE(file) << GetParam();
    const std::string input{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(RequestFault(input), "");
}

std::vector<std::filesystem::path> Inputs()
{
    std::vector<std::filesystem::path> inputs;
    for (const auto &entry : std::filesystem::directory_iterator(ZORVANE_REQUEST_CORPUS))
        inputs.push_back(entry.path());
    std::ranges::sort(inputs);
    return inputs;
}

INSTANTIATE_TEST_SUITE_P(Fuzz, RequestCorpus, ::testing::ValuesIn(Inputs()), [](const auto &input) {
    std::string name = input.param.filename().string();
    std::ranges::replace_if(
        name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
});

} // namespace
} // namespace zorvane::fuzz
