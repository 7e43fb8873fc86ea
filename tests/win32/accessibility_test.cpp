// SPDX-License-Identifier: MIT
// What a screen reader hears, asked as one asks: through oleacc's
// AccessibleObjectFromWindow, which sends the control WM_GETOBJECT.
#include "libraries.h"
#include "support.h"

#include <oleacc.h>

namespace zorvane::win32::testing {
namespace {

class AccessibilityTest : public WindowTest {
protected:
    // Loaded by the test itself, not linked: the window must not load it.
    void LoadOleacc()
    {
        const HMODULE oleacc = LoadSystemLibrary(L"oleacc.dll");
        ASSERT_NE(oleacc, nullptr);
        fromWindow_ = ProcedureAddress<decltype(fromWindow_)>(oleacc, "AccessibleObjectFromWindow");
        ASSERT_NE(fromWindow_, nullptr);
    }
    // The control's name ("(none)" without one) and role.
    std::pair<std::string, long> Heard(HWND control) const
    {
        IAccessible *object = nullptr;
        if (FAILED(fromWindow_(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                               reinterpret_cast<void **>(&object))))
            return {"(no object)", 0};
        VARIANT self;
        VariantInit(&self);
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        std::string heard = "(none)";
        if (object->get_accName(self, &name) == S_OK && name)
            heard = Narrow(name);
        SysFreeString(name);
        VARIANT role;
        VariantInit(&role);
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
    LoadOleacc();

    EXPECT_EQ(Name(MainControl::LengthField), "Number of Characters in the password");
    EXPECT_EQ(Name(MainControl::PasswordField), "Password");
    EXPECT_EQ(Name(MainControl::FigureLabel), "(none)");
    EXPECT_EQ(Name(MainControl::GenerateButton), "Generate Password");

    Generate(L"8");
    const std::string figure = Text(MainControl::FigureLabel);
    ASSERT_FALSE(figure.empty());
    EXPECT_EQ(Name(MainControl::FigureLabel), figure);
    EXPECT_EQ(Name(MainControl::GenerateButton), "I want another one!!");
    EXPECT_EQ(Name(MainControl::PasswordField), "Password");
    EXPECT_EQ(Name(MainControl::LengthField), "Number of Characters in the password");

    const AboutWindow &about = About();
    EXPECT_EQ(Heard(about.Control(forms::AboutControl::Portrait)),
              std::make_pair(std::string("Portrait of Tolmek"), long{ROLE_SYSTEM_GRAPHIC}));
}

} // namespace
} // namespace zorvane::win32::testing
