// SPDX-License-Identifier: MIT
// Every block the program frees is zeroed first, Qt's included. A text
// document, its layout and the accessibility bridge each copy the password
// they show, and free those copies without clearing them when a new one comes;
// the program cannot reach them one by one, but they all go through free().
// realloc() moves blocks through glibc's own free, which skips this one, so it
// moves them here instead. The address sanitizer brings its own allocator, and
// its build keeps glibc's.
#include "wipe.h"

#include <cstdlib>
#include <cstring>

#if !defined(__SANITIZE_ADDRESS__) && defined(__GLIBC__)

#include <malloc.h>

extern "C" {

void __libc_free(void *block); // NOLINT: glibc's own, which free() forwards to

void free(void *block) noexcept
{
    if (block)
        zorvane::SecureWipe(block, malloc_usable_size(block));
    __libc_free(block);
}

void *realloc(void *block, std::size_t size) noexcept
{
    if (!block)
        return std::malloc(size);
    if (size == 0) {
        free(block);
        return nullptr;
    }
    const std::size_t had = malloc_usable_size(block);
    if (size <= had)
        return block;
    void *moved = std::malloc(size);
    if (moved) {
        std::memcpy(moved, block, had);
        free(block);
    }
    return moved;
}

} // extern "C"

#endif
