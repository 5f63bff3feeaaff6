#include "platform/memory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tarvola {

void keepFreedMemory() {
#if defined(__GLIBC__)
    // Freed memory stays with the program up to 256 MB; blocks up to 32 MB (the most the
    // library allows) come from that memory rather than from a mapping of their own, which
    // would be given back when freed; the heap grows 16 MB at a time.
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TOP_PAD, 16 << 20);
#endif
}

} // namespace tarvola
