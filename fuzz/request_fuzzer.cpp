// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes through a whole Generate request and checks what the
// window would be given (request_oracle.h says how the bytes are read).
#include "request_oracle.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string fault =
        zorvane::fuzz::RequestFault({reinterpret_cast<const char *>(data), size});
    if (!fault.empty()) {
        std::fprintf(stderr, "request fuzzer: %s (input of %zu bytes)\n", fault.c_str(), size);
        std::abort();
    }
    return 0;
}
