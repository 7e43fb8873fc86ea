// SPDX-License-Identifier: MIT
// The version in the program's file properties is the one --version prints.
// The tests carry the program's resources, version included.
#include "forms/command_line.h"
#include "text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorvane::win32 {
namespace {

TEST(VersionResource, AgreesWithTheCommandLine)
{
    wchar_t path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, info.data()));

    for (const wchar_t *name : {L"\\StringFileInfo\\040904B0\\ProductVersion",
                                L"\\StringFileInfo\\040904B0\\FileVersion"}) {
        void *value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(info.data(), name, &value, &length)) << Narrow(name);
        EXPECT_EQ(Narrow(static_cast<const wchar_t *>(value)), forms::Version()) << Narrow(name);
    }

    void *value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", &value, &length));
    const auto *fixed = static_cast<const VS_FIXEDFILEINFO *>(value);
    const std::string numbers = std::to_string(HIWORD(fixed->dwProductVersionMS)) + "." +
                                std::to_string(LOWORD(fixed->dwProductVersionMS)) + "." +
                                std::to_string(HIWORD(fixed->dwProductVersionLS));
    EXPECT_EQ(numbers, forms::Version());
}

} // namespace
} // namespace zorvane::win32
