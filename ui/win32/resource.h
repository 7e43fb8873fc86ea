// SPDX-License-Identifier: MIT
// Resource identifiers, shared by the resource script and the program.
#pragma once

#define IDI_ZORVANE 1
#define IDI_ABOUT 2
#define IDR_BANNER 201
#define IDR_PORTRAIT 202
