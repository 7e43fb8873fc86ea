// SPDX-License-Identifier: MIT
// What Wine cannot show through a window, checked where the program hands it
// over: the data a drag takes, where libraries are looked for, and the DPI a
// window is given where the system has no per-window answer.
#include "password_field.h"
#include "support.h"

#include <commctrl.h>
#include <richedit.h>
#include <richole.h>

namespace zorvane::win32::testing {
namespace {

// Keeps the callback the field is given, on its way in.
LRESULT CALLBACK KeepCallback(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR kept)
{
    if (message == EM_SETOLECALLBACK)
        *reinterpret_cast<LPARAM *>(kept) = lParam;
    return DefSubclassProc(field, message, wParam, lParam);
}

// The text, then each privacy format's DWORD, that `data` offers.
std::vector<std::string> Offered(IDataObject &data)
{
    std::vector<std::string> found;
    for (const wchar_t *name : {L"", L"ExcludeClipboardContentFromMonitorProcessing",
                                L"CanIncludeInClipboardHistory", L"CanUploadToCloudClipboard"}) {
        const auto format =
            static_cast<CLIPFORMAT>(*name ? RegisterClipboardFormatW(name) : CF_UNICODETEXT);
        FORMATETC asked{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        STGMEDIUM medium{};
        if (FAILED(data.GetData(&asked, &medium))) {
            found.push_back("absent");
            continue;
        }
        const void *bytes = GlobalLock(medium.hGlobal);
        found.push_back(*name ? std::to_string(*static_cast<const DWORD *>(bytes))
                              : Narrow(static_cast<const wchar_t *>(bytes)));
        GlobalUnlock(medium.hGlobal);
        ReleaseStgMedium(&medium);
    }
    return found;
}

// Wine's rich edit starts no drag; Windows' asks the callback for a drag's data.
TEST_F(WindowTest, ADragOffersThePrivacyFormatsAsACopyDoes)
{
    const HWND field =
        CreateWindowExW(0, MSFTEDIT_CLASS, L"k7qm2x9wtz4h", WS_CHILD, 0, 0, 100, 20,
                        window_->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    LPARAM kept = 0;
    SetWindowSubclass(field, &KeepCallback, 0, reinterpret_cast<DWORD_PTR>(&kept));
    ASSERT_TRUE(AttachPasswordField(field));
    auto *callback = reinterpret_cast<IRichEditOleCallback *>(kept);
    for (const auto &[way, reco] :
         {std::pair{"drag", DWORD{RECO_DRAG}}, std::pair{"copy", DWORD{RECO_COPY}}}) {
        CHARRANGE range{2, 6};
        IDataObject *data = nullptr;
        ASSERT_EQ(callback->GetClipboardData(&range, reco, &data), S_OK) << way;
        EXPECT_EQ(Offered(*data), (std::vector<std::string>{"qm2x", "0", "0", "0"})) << way;
        data->Release();
    }
    DestroyWindow(field);
}

// A DLL beside the program is not found by name once the program has started.
TEST(SeamsTest, ALibraryBesideTheProgramIsNotLoaded)
{
    wchar_t path[MAX_PATH];
    const std::wstring self(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    const std::wstring folder = self.substr(0, self.rfind(L'\\') + 1);
    ASSERT_TRUE(CopyFileW((folder + L"planted\\bcrypt.dll").c_str(),
                          (folder + L"zorvane_beside.dll").c_str(), FALSE));
    UseSystemLibrariesOnly();
    const HMODULE beside = LoadLibraryW(L"zorvane_beside.dll");
    EXPECT_EQ(beside, nullptr);
    if (beside)
        FreeLibrary(beside);
    DeleteFileW((folder + L"zorvane_beside.dll").c_str());
}

UINT WINAPI AnswersNothing(HWND)
{
    return 0;
}

// Windows before 10's Anniversary Update has no GetDpiForWindow: a window
// is drawn at the DPI the caller falls back on, the system's.
TEST(SeamsTest, AWindowsDpiFallsBackWhereTheSystemHasNoAnswer)
{
    EXPECT_EQ(WindowDpi(GetDesktopWindow(), 120), 96) << "Wine answers, at 96";
    const Display real = CurrentDisplay();
    for (const auto dpiOf : {static_cast<UINT(WINAPI *)(HWND)>(nullptr), &AnswersNothing}) {
        const FakeDisplay fake({dpiOf, real.workArea, real.highContrast});
        EXPECT_EQ(WindowDpi(GetDesktopWindow(), 120), 120);
    }
}

} // namespace
} // namespace zorvane::win32::testing
