// SPDX-License-Identifier: MIT
#include "generate.h"

#include "figure.h"
#include "symbols.h"
#include "wipe.h"

#include <cmath>
#include <optional>
#include <utility>

namespace zorvane {

GeneratedTexts &GeneratedTexts::operator=(const GeneratedTexts &other)
{
    if (this != &other) {
        // Assigning may free the old buffer without overwriting it.
        SecureWipe(password);
        password = other.password;
        figure = other.figure;
        sourceFailed = other.sourceFailed;
    }
    return *this;
}

GeneratedTexts &GeneratedTexts::operator=(GeneratedTexts &&other) noexcept
{
    if (this != &other) {
        SecureWipe(password);
        password = std::move(other.password);
        figure = std::move(other.figure);
        sourceFailed = other.sourceFailed;
    }
    return *this;
}

GeneratedTexts::~GeneratedTexts()
{
    // A moved-from password is empty but may keep its characters in the
    // small-string buffer; the wipe reaches that too.
    SecureWipe(password);
}

namespace {

// Number of characters a request for `length` produces: the whole part of a
// length from 1 up to the 16-bit limit, and none otherwise.
std::size_t PasswordLength(double length)
{
    // A length whose rounded value has no 16-bit figure is refused, which
    // caps a password at 32767 characters.
    if (!(length >= 1.0) || !RoundHalfEvenToInt16(length))
        return 0;
    return static_cast<std::size_t>(std::floor(length));
}

} // namespace

GeneratedTexts GeneratePassword(std::string_view lengthText, RandomSource &source)
{
    GeneratedTexts texts;
    const double length = ReadCharCount(lengthText);
    const std::optional<Combinations> combinations = CombinationFigure(length);
    // A length beyond the 16-bit range has no figure and gets no password.
    texts.figure = combinations ? FigureText(*combinations) : std::string(kInfinityText);

    const std::size_t characters = PasswordLength(length);
    if (characters == 0)
        return texts;

    SymbolDrawer drawer(source, characters);
    // Sized once and filled in place: no reallocation leaves a copy behind.
    texts.password.resize(characters);
    if (!drawer.DrawSymbols(1, texts.password)) {
        // Never show part of a password, nor one from a weaker source.
        SecureWipe(texts.password);
        texts.sourceFailed = true;
    }
    return texts;
}

} // namespace zorvane
