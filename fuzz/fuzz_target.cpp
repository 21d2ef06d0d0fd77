// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_entries.h"

// One libFuzzer program per entry; the build names the entry.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (!ZONARI_FUZZ_ENTRY(data, size))
        __builtin_trap();
    return 0;
}
