// SPDX-License-Identifier: MIT
// What a screen reader hears, asked as one asks: through oleacc's
// AccessibleObjectFromWindow, which sends the control WM_GETOBJECT; and what
// it is told where the system has no UI Automation notification (Wine among
// them): the live region it watches.
#include "announcer.h"
#include "support.h"
#include "system_library.h"

#include <oleacc.h>
#include <richedit.h>

namespace zorvane::win32::testing {
namespace {

using enum forms::MainControl;
using forms::AboutControl;
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

TEST_F(AccessibilityTest, ControlsAreHeardByWhatTheyShow)
{
    EXPECT_EQ(HeardOf(Control(LengthField)).first, "Number of Characters in the password");
    EXPECT_EQ(HeardOf(Control(PasswordField)).first, "Password");
    EXPECT_EQ(HeardOf(Control(Figure)).first, "(none)");
    EXPECT_EQ(HeardOf(Control(GenerateButton)).first, "Generate Password");
    EXPECT_EQ(HeardOf(Control(ExitButton)).first, "Exit");
    EXPECT_EQ(Text(ExitButton), "Exit");
    // Decoration is no object at all.
    EXPECT_FALSE(Control(LengthSquare) || Control(FigureSquare));

    Generate(L"8");
    EXPECT_EQ(HeardOf(Control(Figure)).first, "Infinity");
    EXPECT_EQ(HeardOf(Control(GenerateButton)).first, "I want another one!!");
    EXPECT_EQ(HeardOf(Control(PasswordField)).first, "Password");
    const HWND about = About();
    EXPECT_EQ(HeardOf(ControlOf(about, AboutControl::Portrait)),
              Heard("Portrait of Tolmek", ROLE_SYSTEM_GRAPHIC));
    EXPECT_EQ(HeardOf(ControlOf(about, AboutControl::Banner)),
              Heard("Zorvane banner", ROLE_SYSTEM_GRAPHIC));
    EXPECT_NE(HeardOf(ControlOf(about, AboutControl::BackButton)).second, ROLE_SYSTEM_GRAPHIC);
}

TEST_F(AccessibilityTest, InvokeAnswersTheSameNameAndRoleWithTheChildLeftOutGivenOrMissing)
{
    VARIANT self{}, missing{};
    self.vt = VT_I4; // CHILDID_SELF
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    const HWND portrait = ControlOf(About(), AboutControl::Portrait);
    for (const auto &[name, arguments] : {std::pair{"left out", std::vector<VARIANT>{}},
                                          {"given", std::vector<VARIANT>{self}},
                                          {"missing", std::vector<VARIANT>{missing}}}) {
        EXPECT_EQ(HeardOf(Control(PasswordField), &arguments).first, "Password") << name;
        EXPECT_EQ(HeardOf(portrait, &arguments), Heard("Portrait of Tolmek", ROLE_SYSTEM_GRAPHIC))
            << name;
    }
}

// Rich edit answers UI Automation itself (Windows 8 on), so the password
// field is told its name as it is made, and no other control is.
std::vector<std::string> namedForAutomation;
LRESULT CALLBACK RecordUiaName(int code, WPARAM wParam, LPARAM lParam)
{
    const auto &sent = *reinterpret_cast<const CWPSTRUCT *>(lParam);
    if (code == HC_ACTION && sent.message == EM_SETUIANAME)
        namedForAutomation.push_back(Narrow(reinterpret_cast<const wchar_t *>(sent.lParam)));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(AccessibilityTest, ThePasswordFieldAloneIsNamedForUiAutomation)
{
    namedForAutomation.clear();
    const HHOOK hook =
        SetWindowsHookExW(WH_CALLWNDPROC, &RecordUiaName, nullptr, GetCurrentThreadId());
    Open(96);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(namedForAutomation, std::vector<std::string>{"Password"});
}

// The live region changes, each time, as a screen reader sees it change.
std::vector<std::string> heard;
void CALLBACK Hear(HWINEVENTHOOK, DWORD, HWND region, LONG object, LONG child, DWORD, DWORD)
{
    if (object == OBJID_CLIENT && child == CHILDID_SELF)
        heard.push_back(WindowTest::Text(region));
}

TEST_F(WindowTest, EachRequestIsAnnouncedWithoutThePasswordInAnUnseenLiveRegion)
{
    window_->SetAnnouncer(MakeSystemAnnouncer(Main(), false));
    EXPECT_EQ(GetDlgItem(Main(), kLiveRegionId), nullptr) << "made before its use";
    heard.clear();
    const HWINEVENTHOOK hook =
        SetWinEventHook(0x8019, 0x8019, nullptr, &Hear, GetCurrentProcessId(), GetCurrentThreadId(),
                        WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    SetFocus(Control(GenerateButton));
    Generate(L"4");
    Generate(L"4"); // the same words again are spoken again
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
    RECT place;
    GetClientRect(region, &place);
    EXPECT_TRUE(IsRectEmpty(&place));
    EXPECT_TRUE(IsWindowVisible(region)) << "a hidden one is not read";
    EXPECT_FALSE(GetWindowLongPtrW(region, GWL_STYLE) & WS_TABSTOP);
}

} // namespace
} // namespace zorvane::win32::testing
