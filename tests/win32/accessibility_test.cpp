// SPDX-License-Identifier: MIT
// What a screen reader hears, asked as one asks: through oleacc's
// AccessibleObjectFromWindow, which sends the control WM_GETOBJECT.
#include "support.h"
#include "system_library.h"

#include <oleacc.h>
#include <richedit.h>

#include <string>
#include <utility>
#include <vector>

namespace zorvane::win32::testing {
namespace {

class AccessibilityTest : public WindowTest {
protected:
    // The control's name ("(none)" without one) and role.
    std::pair<std::string, long> Heard(HWND control) const
    {
        IAccessible *object = nullptr;
        if (FAILED(fromWindow_(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                               reinterpret_cast<void **>(&object))))
            return {"(no object)", 0};
        VARIANT self{}, role{};
        self.vt = VT_I4; // lVal 0: CHILDID_SELF
        BSTR name = nullptr;
        const bool named = object->get_accName(self, &name) == S_OK && name;
        const std::string heard = named ? Narrow(name) : "(none)";
        SysFreeString(name);
        object->get_accRole(self, &role);
        object->Release();
        return {heard, role.vt == VT_I4 ? role.lVal : 0};
    }
    std::string Name(MainControl id) const { return Heard(Control(id)).first; }

    decltype(&AccessibleObjectFromWindow) fromWindow_ = nullptr;
};

TEST_F(AccessibilityTest, ControlsAreNamedAsShownAndOnlyWhenAsked)
{
    EXPECT_EQ(GetModuleHandleW(L"oleacc.dll"), nullptr);
    // Loaded by the test itself, not linked: the window must not load it.
    fromWindow_ = ProcedureAddress<decltype(fromWindow_)>(LoadSystemLibrary(L"oleacc.dll"),
                                                          "AccessibleObjectFromWindow");
    ASSERT_NE(fromWindow_, nullptr);

    EXPECT_EQ(Name(MainControl::LengthField), "Number of Characters in the password");
    EXPECT_EQ(Name(MainControl::PasswordField), "Password");
    EXPECT_EQ(Name(MainControl::Figure), "(none)");
    EXPECT_EQ(Name(MainControl::GenerateButton), "Generate Password");

    Generate(L"8");
    const std::string figure = Text(MainControl::Figure);
    ASSERT_FALSE(figure.empty());
    EXPECT_EQ(Name(MainControl::Figure), figure);
    EXPECT_EQ(Name(MainControl::GenerateButton), "I want another one!!");
    EXPECT_EQ(Name(MainControl::PasswordField), "Password");

    EXPECT_EQ(Heard(ControlOf(About(), forms::AboutControl::Portrait)),
              std::make_pair(std::string("Portrait of Tolmek"), long{ROLE_SYSTEM_GRAPHIC}));
}

// The objects a screen reader walks from the main window: every one it finds
// has a name, once the figure shows one. Decoration is not among them.
TEST_F(AccessibilityTest, WalkingTheWindowFindsNoNamelessObject)
{
    const HMODULE oleacc = LoadSystemLibrary(L"oleacc.dll");
    fromWindow_ = ProcedureAddress<decltype(fromWindow_)>(oleacc, "AccessibleObjectFromWindow");
    const auto children =
        ProcedureAddress<decltype(&AccessibleChildren)>(oleacc, "AccessibleChildren");
    const auto windowOf = ProcedureAddress<decltype(&WindowFromAccessibleObject)>(
        oleacc, "WindowFromAccessibleObject");
    ASSERT_TRUE(fromWindow_ && children && windowOf);
    Generate(L"8");

    IAccessible *client = nullptr;
    ASSERT_TRUE(SUCCEEDED(fromWindow_(window_->Handle(), static_cast<DWORD>(OBJID_CLIENT),
                                      IID_IAccessible, reinterpret_cast<void **>(&client))));
    long count = 0;
    client->get_accChildCount(&count);
    std::vector<VARIANT> found(static_cast<std::size_t>(count));
    long obtained = 0;
    children(client, 0, count, found.data(), &obtained);
    client->Release();
    std::vector<std::string> heard;
    for (long i = 0; i < obtained; ++i) {
        VARIANT &child = found[static_cast<std::size_t>(i)];
        HWND control = nullptr;
        if (child.vt == VT_DISPATCH && child.pdispVal) {
            IAccessible *object = nullptr;
            if (SUCCEEDED(child.pdispVal->QueryInterface(IID_IAccessible,
                                                         reinterpret_cast<void **>(&object)))) {
                windowOf(object, &control);
                object->Release();
            }
        }
        VariantClear(&child);
        heard.push_back(control ? Heard(control).first : "(no window)");
    }
    // The controls of the table, less its two squares.
    EXPECT_GE(heard.size(), forms::kMainWindow.controls.size() - 2);
    for (const std::string &name : heard)
        EXPECT_TRUE(name != "(none)" && name != "(no object)" && name != "(no window)") << name;
}

// Read by name through IDispatch, as script reads it, a control is what
// get_accName and get_accRole say.
TEST_F(AccessibilityTest, InvokeAnswersTheFixedNameAndRole)
{
    fromWindow_ = ProcedureAddress<decltype(fromWindow_)>(LoadSystemLibrary(L"oleacc.dll"),
                                                          "AccessibleObjectFromWindow");
    ASSERT_NE(fromWindow_, nullptr);
    const auto invoke = [this](HWND control, DISPID id, std::vector<VARIANT> arguments) {
        IAccessible *object = nullptr;
        VARIANT result;
        VariantInit(&result);
        if (FAILED(fromWindow_(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                               reinterpret_cast<void **>(&object))))
            return result;
        DISPPARAMS parameters{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
        object->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &parameters, &result, nullptr,
                       nullptr);
        object->Release();
        return result;
    };
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4; // CHILDID_SELF
    VARIANT missing;
    VariantInit(&missing);
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    for (const auto &arguments : {std::vector<VARIANT>{}, {self}, {missing}}) {
        VARIANT name = invoke(Control(MainControl::PasswordField), DISPID_ACC_NAME, arguments);
        EXPECT_EQ(name.vt == VT_BSTR && name.bstrVal ? Narrow(name.bstrVal) : "(none)", "Password");
        VariantClear(&name);
        const VARIANT role =
            invoke(ControlOf(About(), forms::AboutControl::Portrait), DISPID_ACC_ROLE, arguments);
        EXPECT_TRUE(role.vt == VT_I4 && role.lVal == ROLE_SYSTEM_GRAPHIC);
    }
}

// Rich edit answers UI Automation itself (Windows 8 on), so the password
// field is told its name as it is made, and no other control is.
std::vector<std::pair<HWND, std::string>> namedForAutomation;
LRESULT CALLBACK RecordUiaName(int code, WPARAM wParam, LPARAM lParam)
{
    const auto &sent = *reinterpret_cast<const CWPSTRUCT *>(lParam);
    if (code == HC_ACTION && sent.message == EM_SETUIANAME)
        namedForAutomation.emplace_back(
            sent.hwnd, sent.lParam ? Narrow(reinterpret_cast<const wchar_t *>(sent.lParam)) : "");
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(AccessibilityTest, ThePasswordFieldIsNamedForUiAutomation)
{
    window_.reset();
    namedForAutomation.clear();
    const HHOOK hook =
        SetWindowsHookExW(WH_CALLWNDPROC, &RecordUiaName, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    Open(96);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(namedForAutomation, (std::vector<std::pair<HWND, std::string>>{
                                      {Control(MainControl::PasswordField), "Password"}}));
}

} // namespace
} // namespace zorvane::win32::testing
