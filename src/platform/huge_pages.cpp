#include "platform/huge_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace tw {

void RequestHugePages(void* data, size_t bytes) {
#ifdef MADV_HUGEPAGE
    if (data == nullptr || bytes < kHugePageWorthwhile) return;
    constexpr uintptr_t kHuge = uintptr_t{2} << 20;
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + kHuge - 1) & ~(kHuge - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + bytes) & ~(kHuge - 1);
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

}  // namespace tw
