// SPDX-License-Identifier: MIT
// Tells a screen reader what a request did, without moving the focus.
#pragma once

#include "forms/announcement.h"

#include <windows.h>

#include <memory>

namespace zorvane::win32 {

class Announcer {
public:
    virtual ~Announcer() = default;
    virtual void Announce(const forms::Announcement &announcement) = 0;
};

// The live region's identifier among `window`'s children: clear of IDOK,
// IDCANCEL and the table's controls (window.h).
inline constexpr int kLiveRegionId = 99;

// The system's way, for the controls of `window`: a UI Automation
// notification where the system has one (Windows 10 from its Fall Creators
// Update on) and `notifications` allows it, else a live region, a child of
// `window` of no size and out of the tab order. Nothing is loaded, and no
// region made, before the first announcement.
std::unique_ptr<Announcer> MakeSystemAnnouncer(HWND window, bool notifications = true);

} // namespace zorvane::win32
