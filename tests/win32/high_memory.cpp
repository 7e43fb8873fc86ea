// SPDX-License-Identifier: MIT
// 64-bit tests only: every object the tests and the windows create with `new`
// lives above 4 GiB, so a pointer squeezed through a 32-bit integer on its
// way through Windows (window data, subclass data, a message's parameters)
// comes back pointing elsewhere and the tests crash. Without this, the
// process heap sits in the lowest 4 GiB, where such a pointer survives
// truncation and only a 64-bit Windows with high addresses would show it.
#include <windows.h>

#include <cstdint>
#include <new>

static_assert(sizeof(void *) == 8, "only for 64-bit builds");

namespace {

constexpr std::uintptr_t k4GiB = std::uintptr_t{1} << 32;

// Reserves every free range below 4 GiB, then makes a heap, which can only
// come from above.
HANDLE HighHeap()
{
    static const HANDLE heap = [] {
        MEMORY_BASIC_INFORMATION region;
        std::uintptr_t at = 0x10000;
        while (at < k4GiB && VirtualQuery(reinterpret_cast<void *>(at), &region, sizeof(region))) {
            const auto base = reinterpret_cast<std::uintptr_t>(region.BaseAddress);
            const std::uintptr_t end = base + region.RegionSize;
            // Reservations start on the allocation granularity, 64 KiB.
            const std::uintptr_t from = (base + 0xFFFF) & ~std::uintptr_t{0xFFFF};
            const std::uintptr_t to = end < k4GiB ? end : k4GiB;
            if (region.State == MEM_FREE && to > from)
                VirtualAlloc(reinterpret_cast<void *>(from), to - from, MEM_RESERVE, PAGE_NOACCESS);
            at = end;
        }
        return HeapCreate(0, 0, 0);
    }();
    return heap;
}

} // namespace

// The array forms of new and delete come to these.
void *operator new(std::size_t size)
{
    if (void *memory = HeapAlloc(HighHeap(), 0, size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void *memory) noexcept
{
    if (memory)
        HeapFree(HighHeap(), 0, memory);
}

void operator delete(void *memory, std::size_t) noexcept
{
    operator delete(memory);
}
