// SPDX-License-Identifier: MIT
#include "wipe.h"

#include <string.h>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace zorvane {

void SecureWipe(void *data, std::size_t size) noexcept
{
    if (size == 0)
        return;
#if defined(_WIN32)
    SecureZeroMemory(data, size);
#elif defined(__GLIBC__)
    explicit_bzero(data, size);
#else
    // Stores through a volatile pointer must all happen.
    volatile unsigned char *bytes = static_cast<volatile unsigned char *>(data);
    while (size-- != 0)
        *bytes++ = 0;
#endif
}

void SecureWipe(std::string &text) noexcept
{
    // Growing to the capacity never reallocates, so this reaches every byte
    // of the buffer the text already has, its small-string buffer included.
    text.resize(text.capacity());
    SecureWipe(text.data(), text.size());
    text.clear();
}

} // namespace zorvane
