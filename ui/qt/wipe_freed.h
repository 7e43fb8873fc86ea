// SPDX-License-Identifier: MIT
// How the program hands memory back: every block zeroed first. Written over
// any heap, so that a test can watch the blocks go back without reading freed
// memory; wipe_freed.cpp puts glibc's under it.
#pragma once

#include "wipe.h"

#include <cstddef>
#include <cstring>

namespace zorvane::qt {

// `Heap` offers Allocate(size), Release(block) and UsableSize(block).
template <typename Heap> void FreeWiped(Heap &heap, void *block)
{
    if (block)
        SecureWipe(block, heap.UsableSize(block));
    heap.Release(block);
}

// A block that grows moves, and the old one goes back wiped like any other; one
// that shrinks stays, to be wiped whole when it is freed.
template <typename Heap> void *ReallocWiped(Heap &heap, void *block, std::size_t size)
{
    if (!block)
        return heap.Allocate(size);
    if (size == 0) {
        FreeWiped(heap, block);
        return nullptr;
    }
    const std::size_t had = heap.UsableSize(block);
    if (size <= had)
        return block;
    void *moved = heap.Allocate(size);
    if (moved) {
        std::memcpy(moved, block, had);
        FreeWiped(heap, block);
    }
    return moved;
}

} // namespace zorvane::qt
