// SPDX-License-Identifier: MIT
// Names for controls whose window text is not what a screen reader should say.
#pragma once

#include "handles.h"

#include <oleacc.h>

#include <string_view>

namespace zorvane::win32 {

// Annotates controls through the accessibility runtime's property service.
// Where that service is missing, controls keep the names the system derives.
class AccessibleNames {
public:
    AccessibleNames();
    void Name(HWND control, std::wstring_view name);
    // Marks a control that shows a picture as a graphic.
    void RoleGraphic(HWND control);

private:
    ComPtr<IAccPropServices> services_;
};

} // namespace zorvane::win32
