// SPDX-License-Identifier: MIT
#include "symbols.h"

#include "random_source.h"
#include "wipe.h"

namespace zorvane {
namespace {

// Bytes fetched when the first batch runs out; rejections rarely need more.
constexpr std::size_t kRefillBytes = 64;

} // namespace

SymbolDrawer::SymbolDrawer(RandomSource &source, std::size_t expectedDraws)
    // At most 11 of 256 byte values are rejected (4.3%); a 6.25% margin plus a
    // few bytes makes a second fetch very unlikely.
    : source_(source), firstBatch_(expectedDraws + expectedDraws / 16 + 16)
{}

SymbolDrawer::~SymbolDrawer()
{
    SecureWipe(buffer_.data(), buffer_.size());
}

std::optional<char> SymbolDrawer::DrawSymbol(std::size_t position)
{
    char symbol = 0;
    if (!DrawSymbols(position, {&symbol, 1}))
        return std::nullopt;
    return symbol;
}

bool SymbolDrawer::DrawSymbols(std::size_t firstPosition, std::span<char> symbols)
{
    // The cursor lives in locals: a store through a char pointer may alias any
    // member, which would otherwise force a reload of each per symbol.
    const std::uint8_t *bytes = buffer_.data();
    std::size_t size = buffer_.size();
    std::size_t next = next_;
    std::size_t position = firstPosition;
    for (char &out : symbols) {
        const std::array<char, 256> &map =
            position == 1 ? detail::kLeadByByte : detail::kSymbolByByte;
        for (;;) {
            if (next == size) {
                if (!Refill())
                    return false;
                bytes = buffer_.data();
                size = buffer_.size();
                next = 0;
            }
            if (const char symbol = map[bytes[next++]]) {
                out = symbol;
                break;
            }
        }
        ++position;
    }
    next_ = next;
    return true;
}

bool SymbolDrawer::Refill()
{
    // Wipe before resizing: growing copies the old bytes into a new buffer
    // and frees the old one, and shrinking leaves them past the new size.
    // Only bytes within the size are ever filled, so this reaches them all.
    SecureWipe(buffer_.data(), buffer_.size());
    buffer_.resize(buffer_.empty() ? firstBatch_ : kRefillBytes);
    next_ = 0;
    if (source_.Fill(buffer_))
        return true;
    // Leave nothing drawable behind a failure.
    SecureWipe(buffer_.data(), buffer_.size());
    buffer_.clear();
    return false;
}

} // namespace zorvane
