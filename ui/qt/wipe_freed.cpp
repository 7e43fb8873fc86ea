// SPDX-License-Identifier: MIT
// Every block the program frees is zeroed first, Qt's included. A text
// document, its layout and the accessibility bridge each copy the password
// they show, and free those copies without clearing them when a new one comes;
// the program cannot reach them one by one, but they all go through free().
// realloc() moves blocks through glibc's own free, which skips this one, so it
// moves them here instead. The address sanitizer brings its own allocator, and
// its build keeps glibc's.
#include "wipe_freed.h"

#include <cstdlib>

#if !defined(__SANITIZE_ADDRESS__) && defined(__GLIBC__)

#include <malloc.h>

extern "C" {

void __libc_free(void *block); // NOLINT: glibc's own, which free() forwards to

namespace {
struct Glibc {
    static void *Allocate(std::size_t size) { return std::malloc(size); }
    static void Release(void *block) { __libc_free(block); }
    static std::size_t UsableSize(void *block) { return malloc_usable_size(block); }
};
} // namespace

void free(void *block) noexcept
{
    Glibc heap;
    zorvane::qt::FreeWiped(heap, block);
}

void *realloc(void *block, std::size_t size) noexcept
{
    Glibc heap;
    return zorvane::qt::ReallocWiped(heap, block, size);
}

} // extern "C"

#endif
