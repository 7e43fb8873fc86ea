// SPDX-License-Identifier: MIT
// Resource identifiers, shared by the resource script and the program.
#pragma once

#define IDI_ZORVANE 1
#define IDI_ABOUT 2
#define IDR_BANNER 201
#define IDR_PORTRAIT 202
// A picture drawn at 2x and 3x has those renditions at its own identifier
// plus 10 and 20.
#define IDR_RENDITION_STEP 10
#define IDR_BANNER_2X 211
#define IDR_PORTRAIT_2X 212
#define IDR_BANNER_3X 221
#define IDR_PORTRAIT_3X 222
