// SPDX-License-Identifier: MIT
// Runs the window tests on one thread with COM, the common controls and the
// window classes set up, as the program has them.
#include "program.h"
#include "support.h"

#include <cstdio>

namespace zorvane::win32::testing {

void Snapshot::Save(const std::wstring &path) const
{
    BITMAPINFOHEADER header{sizeof(header), size_.cx, -size_.cy, 1, 32, BI_RGB};
    const DWORD bytes = static_cast<DWORD>(pixels_.size() * sizeof(DWORD));
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + bytes;
    if (FILE *out = _wfopen(path.c_str(), L"wb")) {
        std::fwrite(&file, sizeof(file), 1, out);
        std::fwrite(&header, sizeof(header), 1, out);
        std::fwrite(pixels_.data(), bytes, 1, out);
        std::fclose(out);
    }
}

void KeepForViewing(const Snapshot &snapshot, const wchar_t *name)
{
    wchar_t folder[MAX_PATH];
    if (GetEnvironmentVariableW(L"ZORVANE_SNAPSHOTS", folder, MAX_PATH) > 0)
        snapshot.Save(std::wstring(folder) + L"\\" + name + L".bmp");
}

} // namespace zorvane::win32::testing

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const zorvane::win32::Session session(GetModuleHandleW(nullptr));
    return RUN_ALL_TESTS();
}
