// SPDX-License-Identifier: MIT
// What a screen reader hears, asked as one asks: through oleacc's
// AccessibleObjectFromWindow, which sends the control WM_GETOBJECT.
#include "support.h"
#include "system_library.h"

#include <oleacc.h>

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

} // namespace
} // namespace zorvane::win32::testing
