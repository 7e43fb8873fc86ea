// SPDX-License-Identifier: MIT
// The program's library search, narrowed to the system folder; loading one
// from there is system_library.h's.
#pragma once

#include "system_library.h"

namespace zorvane::win32 {

// Has Windows look for libraries the program loads in the system folder only,
// never beside the program or in the current folder. Called first.
void UseSystemLibrariesOnly();

} // namespace zorvane::win32
