// SPDX-License-Identifier: MIT
// What a screen reader hears through oleacc, and from the live region where UIA cannot notify.
#include "announcer.h"
#include "support.h"
#include "system_library.h"

#include <oleacc.h>

namespace zorvane::win32::testing {

using enum forms::MainControl;
using enum forms::AboutControl;
using Heard = std::pair<std::string, long>; // a name ("(none)" without one) and a role

// Through get_accName and get_accRole, or given `arguments` through Invoke, as script reads.
Heard HeardOf(HWND control, const std::vector<VARIANT> *arguments = nullptr)
{
    // Loaded by the test, not linked: the window must not need it.
    static const auto fromWindow = ProcedureAddress<decltype(&AccessibleObjectFromWindow)>(
        LoadSystemLibrary(L"oleacc.dll"), "AccessibleObjectFromWindow");
    IAccessible *object = nullptr;
    if (!fromWindow || FAILED(fromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                         reinterpret_cast<void **>(&object))))
        return {"(no object)", 0};
    VARIANT self{}, name{}, role{};
    self.vt = VT_I4; // lVal 0: CHILDID_SELF
    std::vector<VARIANT> given = arguments ? *arguments : std::vector<VARIANT>{};
    DISPPARAMS parameters{given.data(), nullptr, static_cast<UINT>(given.size()), 0};
    for (const auto &[id, answer] : {std::pair{DISPID_ACC_NAME, &name}, {DISPID_ACC_ROLE, &role}})
        if (arguments)
            object->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &parameters, answer, nullptr,
                           nullptr);
        else if (id == DISPID_ACC_ROLE)
            object->get_accRole(self, answer);
        else if (object->get_accName(self, &answer->bstrVal) == S_OK)
            answer->vt = VT_BSTR;
    object->Release();
    const std::string heard = name.vt == VT_BSTR && name.bstrVal ? Narrow(name.bstrVal) : "(none)";
    VariantClear(&name);
    return {heard, role.vt == VT_I4 ? role.lVal : 0};
}

using AccessibilityTest = WindowTest;

TEST_F(AccessibilityTest, ControlsAreHeardByWhatTheyShowAskedDirectlyOrThroughInvoke)
{
    EXPECT_FALSE(Control(LengthSquare) || Control(FigureSquare)) << "decoration is no object";
    EXPECT_EQ(HeardOf(Control(Figure)).first, "(none)");
    Generate(L"8");
    const HWND about = About();
    VARIANT self{}, missing{};
    self.vt = VT_I4; // CHILDID_SELF
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    const std::vector<VARIANT> leftOut, given{self}, notFound{missing};
    // Script asks through Invoke, with the child left out, given or missing.
    for (const auto &[way, arguments] :
         {std::pair{"asked", static_cast<const std::vector<VARIANT> *>(nullptr)},
          {"left out", &leftOut},
          {"given", &given},
          {"missing", &notFound}}) {
        const auto heard = [arguments](HWND control) { return HeardOf(control, arguments); };
        EXPECT_EQ(heard(Control(LengthField)).first, "Number of Characters in the password") << way;
        EXPECT_EQ(heard(Control(PasswordField)).first, "Password") << way;
        EXPECT_EQ(heard(Control(Figure)).first, "Infinity") << way;
        EXPECT_EQ(heard(Control(GenerateButton)).first, "I want another one!!") << way;
        EXPECT_EQ(heard(Control(ExitButton)).first, "Exit") << way;
        EXPECT_EQ(heard(ControlOf(about, Portrait)),
                  Heard("Portrait of Tolmek", ROLE_SYSTEM_GRAPHIC))
            << way;
        EXPECT_EQ(heard(ControlOf(about, Banner)), Heard("Zorvane banner", ROLE_SYSTEM_GRAPHIC))
            << way;
        EXPECT_NE(heard(ControlOf(about, BackButton)).second, ROLE_SYSTEM_GRAPHIC) << way;
    }
}

std::vector<std::string> heard;
HWND heardFrom = nullptr; // the one live region
void CALLBACK Hear(HWINEVENTHOOK, DWORD, HWND region, LONG object, LONG child, DWORD, DWORD)
{
    if (object == OBJID_CLIENT && child == CHILDID_SELF)
        heard.push_back(WindowTest::Text(region) + (region == heardFrom ? "" : " (from another)"));
}

TEST_F(WindowTest, EachRequestIsAnnouncedWithoutThePasswordInAnUnseenLiveRegion)
{
    window_->SetAnnouncer(MakeSystemAnnouncer(Main(), false));
    EXPECT_EQ(GetDlgItem(Main(), kLiveRegionId), nullptr) << "made before its use";
    heard.clear();
    Generate(L"4");
    heardFrom = GetDlgItem(Main(), kLiveRegionId);
    const HWINEVENTHOOK hook =
        SetWinEventHook(0x8019, 0x8019, nullptr, &Hear, GetCurrentProcessId(), GetCurrentThreadId(),
                        WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    SetFocus(Control(GenerateButton));
    Generate(L"4"); // the same words again are spoken again, from the same region
    Generate(L"4");
    Generate(L"0");
    window_->SetRandomSource(std::make_unique<FailingSource>());
    Generate(L"8");
    Pump();
    UnhookWinEvent(hook);
    EXPECT_EQ(heard,
              (std::vector<std::string>{"New password, 4 characters. Number of Combinations: 840.",
                                        "New password, 4 characters. Number of Combinations: 840.",
                                        "No password. Number of Combinations: 0.",
                                        "No password: the system's random source failed."}));
    EXPECT_EQ(GetFocus(), Control(GenerateButton));
    const HWND region = GetDlgItem(Main(), kLiveRegionId);
    EXPECT_EQ(Frame(region, true), (std::array<LONG, 4>{})) << "unseen";
    EXPECT_TRUE(IsWindowVisible(region)) << "a hidden one is not read";
    EXPECT_FALSE(GetWindowLongPtrW(region, GWL_STYLE) & WS_TABSTOP);
}

} // namespace zorvane::win32::testing
