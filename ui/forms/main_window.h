// SPDX-License-Identifier: MIT
// The main window: the length field, Generate, the password and its figure.
#pragma once

#include "model.h"

#include <string_view>

namespace zorvane::forms {

inline constexpr std::string_view kApplicationTitle = "Zorvane";
inline constexpr std::string_view kQuitQuestion = "Are you sure you want to quit?";
inline constexpr std::string_view kSourceFailedText =
    "No password: the system's random source failed.";

// Generate's caption before the first request, and after every one.
inline constexpr std::string_view kGenerateCaption = "Generate Password";
inline constexpr std::string_view kAnotherOneCaption = "I want another one!!";

inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kGreenFace{0, 192, 0};

// In stacking order.
enum class MainControl {
    LengthLabel,
    LengthSquare,
    LengthField,
    AboutButton,
    FigureCaption,
    FigureSquare,
    Figure,
    GenerateButton,
    ExitButton,
    PasswordField,
};

inline constexpr auto kMainControls = [] {
    using enum MainControl;
    ControlTable<PasswordField> table;
    table[LengthLabel] = {.objectName = "Label1",
                          .kind = Kind::Label,
                          .rect = {240, 240, 2415, 480},
                          .text = "Number of Characters in the password",
                          .colour = kBlue,
                          .font = &kSansSerif};
    table[LengthSquare] = {
        .objectName = "Shape1", .kind = Kind::Square, .rect = {0, 360, 135, 135}, .colour = kRed};
    table[LengthField] = {.objectName = "Text1",
                          .kind = Kind::TextField,
                          .rect = {2400, 240, 495, 375},
                          .tab = 0,
                          .labelledBy = Index(LengthLabel)};
    table[AboutButton] = {.objectName = "Command3",
                          .kind = Kind::Button,
                          .rect = {3120, 120, 615, 495},
                          .text = "About",
                          .colour = kGreenFace,
                          .tab = 4};
    table[FigureCaption] = {.objectName = "Label2",
                            .kind = Kind::Label,
                            .rect = {240, 840, 2295, 240},
                            .text = "Number of Combinations",
                            .colour = kBlue,
                            .font = &kSansSerif};
    table[FigureSquare] = {
        .objectName = "Shape2", .kind = Kind::Square, .rect = {0, 840, 135, 135}, .colour = kRed};
    table[Figure] = {.objectName = "Label3",
                     .kind = Kind::Label,
                     .rect = {2520, 840, 1215, 360},
                     .colour = kRed,
                     .font = &kSansSerif,
                     .labelledBy = Index(FigureCaption)};
    table[GenerateButton] = {.objectName = "Command1",
                             .kind = Kind::Button,
                             .rect = {120, 1320, 1695, 615},
                             .text = kGenerateCaption,
                             .colour = Rgb{255, 255, 0},
                             .font = &kSansSerif,
                             .tab = 1};
    // Spelt out for speech: read as written, the caption is four letters.
    table[ExitButton] = {.objectName = "Command2",
                         .kind = Kind::Button,
                         .rect = {2280, 1320, 1455, 615},
                         .text = "E x i t",
                         .colour = Rgb{255, 128, 128},
                         .font = &kSansSerif,
                         .tab = 2,
                         .accessibleName = "Exit"};
    table[PasswordField] = {.objectName = "Text2",
                            .kind = Kind::OutputField,
                            .rect = {120, 2040, 3615, 1695},
                            .tab = 3,
                            .accessibleName = "Password"};
    return table;
}();

inline constexpr Window kMainWindow{.objectName = "Form1",
                                    .title = kApplicationTitle,
                                    .width = 3810,
                                    .height = 3825,
                                    .background = {128, 255, 128},
                                    .font = kSansSerif,
                                    .controls = kMainControls.rows};

constexpr const Control &Row(MainControl id)
{
    return kMainControls[id];
}

static_assert(detail::WellFormed(kMainWindow));

} // namespace zorvane::forms
