// SPDX-License-Identifier: MIT
// The About window: two pictures, a few words about the author, and Back.
#pragma once

#include "main_window.h"
#include "model.h"

namespace zorvane::forms {

// In stacking order.
enum class AboutControl {
    Banner,
    Greeting,
    Portrait,
    BackButton,
    WebsiteCaption,
    WebsiteLabel,
};

inline constexpr auto kAboutControls = [] {
    using enum AboutControl;
    ControlTable<WebsiteLabel> table;
    table[Banner] = {.objectName = "Image1",
                     .kind = Kind::Picture,
                     .rect = {480, 240, 3390, 1500},
                     .accessibleName = "Zorvane banner",
                     .picture = Picture::Banner};
    table[Greeting] = {.objectName = "Label1",
                       .kind = Kind::Label,
                       .rect = {3960, 240, 2655, 2295},
                       .text = "Hello, I am Tolmek. I write small, careful tools for everyday "
                               "jobs. Zorvane makes a fresh random password whenever you need "
                               "one: type a length and press Generate. Thank you for using it!",
                       .colour = kBlue,
                       .font = &kSansSerif};
    table[Portrait] = {.objectName = "Image2",
                       .kind = Kind::Picture,
                       .rect = {6960, 240, 2250, 3000},
                       .accessibleName = "Portrait of Tolmek",
                       .picture = Picture::Portrait};
    table[BackButton] = {.objectName = "Command1",
                         .kind = Kind::Button,
                         .rect = {360, 1920, 1575, 1215},
                         .text = "Back",
                         .colour = kGreenFace,
                         .tab = 0};
    table[WebsiteCaption] = {.objectName = "Label2",
                             .kind = Kind::Label,
                             .rect = {2400, 2280, 1335, 375},
                             .text = "My Website",
                             .colour = Rgb{255, 0, 255},
                             .font = &kTahomaBold};
    // Plain text on purpose: the address is shown, never opened.
    table[WebsiteLabel] = {.objectName = "Label3",
                           .kind = Kind::Label,
                           .rect = {3000, 2640, 2775, 495},
                           .text = "www.tolmek.example",
                           .colour = kBlue,
                           .font = &kTahomaBold,
                           .labelledBy = Index(WebsiteCaption)};
    return table;
}();

inline constexpr Window kAboutWindow{.objectName = "Form2",
                                     .title = "About Tolmek",
                                     .width = 9330,
                                     .height = 3450,
                                     .background = {192, 192, 192},
                                     .font = kSansSerif,
                                     .controls = kAboutControls.rows};

constexpr const Control &Row(AboutControl id)
{
    return kAboutControls[id];
}

static_assert(detail::WellFormed(kAboutWindow));

} // namespace zorvane::forms
