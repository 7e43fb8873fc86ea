// SPDX-License-Identifier: MIT
// 64-bit tests only: every object made with `new` lives above 4 GiB, unlike the process heap, so
// a pointer squeezed through 32 bits on its way through Windows points elsewhere and crashes.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <new>

static_assert(sizeof(void *) == 8, "only for 64-bit builds");

// Reserves every free 64 KiB below 4 GiB, then makes a heap, which can only come from above.
static HANDLE HighHeap()
{
    static const HANDLE heap = [] {
        constexpr std::uintptr_t k4GiB = std::uintptr_t{1} << 32;
        MEMORY_BASIC_INFORMATION region;
        for (std::uintptr_t at = 0x10000;
             at < k4GiB && VirtualQuery(reinterpret_cast<void *>(at), &region, sizeof(region));
             at += region.RegionSize) {
            const auto base = reinterpret_cast<std::uintptr_t>(region.BaseAddress);
            const std::uintptr_t from = (base + 0xFFFF) & ~std::uintptr_t{0xFFFF},
                                 to = std::min(base + region.RegionSize, k4GiB);
            if (region.State == MEM_FREE && to > from)
                VirtualAlloc(reinterpret_cast<void *>(from), to - from, MEM_RESERVE, PAGE_NOACCESS);
        }
        return HeapCreate(0, 0, 0);
    }();
    return heap;
}

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
