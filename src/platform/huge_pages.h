#pragma once
// Large pixel stores (a 16384 x 16384 picture is 1 GiB at 32 bits) are
// mostly the cost of faulting their pages in. Asking the kernel for
// transparent huge pages before the first touch cuts that cost to a fraction;
// where the kernel cannot, the memory behaves exactly as before.

#include <cstddef>

namespace tw {

// Stores smaller than this gain nothing measurable.
constexpr size_t kHugePageWorthwhile = size_t{8} << 20;

// Asks for huge pages over the 2 MiB-aligned part of [data, data + bytes).
// Call it before the memory is first written. Returns nothing: the request is
// advice, and refusing it changes no result.
void RequestHugePages(void* data, size_t bytes);

}  // namespace tw
