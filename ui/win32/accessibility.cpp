// SPDX-License-Identifier: MIT
#include "accessibility.h"

#include <string>

namespace zorvane::win32 {

AccessibleNames::AccessibleNames()
{
    // On failure the pointer stays empty and controls keep their own names.
    (void)CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                           IID_IAccPropServices, reinterpret_cast<void **>(services_.Put()));
}

void AccessibleNames::Name(HWND control, std::wstring_view name)
{
    if (!services_ || name.empty())
        return;
    const std::wstring text(name);
    services_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                              PROPID_ACC_NAME, text.c_str());
}

void AccessibleNames::RoleGraphic(HWND control)
{
    if (!services_)
        return;
    VARIANT role;
    VariantInit(&role);
    role.vt = VT_I4;
    role.lVal = ROLE_SYSTEM_GRAPHIC;
    services_->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_ROLE,
                           role);
}

} // namespace zorvane::win32
