// SPDX-License-Identifier: MIT
// Overwriting secrets before their memory is given back.
#pragma once

#include <cstddef>
#include <string>

namespace zorvane {

// Sets `size` bytes at `data` to zero with a write the compiler may not drop,
// even when the memory is freed right after.
void SecureWipe(void *data, std::size_t size) noexcept;

// Zeroes every byte `text` owns, up to its capacity (earlier and longer
// contents may linger past its size), and leaves it empty. Keeps the buffer.
void SecureWipe(std::string &text) noexcept;

} // namespace zorvane
