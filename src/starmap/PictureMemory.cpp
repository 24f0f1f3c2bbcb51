#include "PictureMemory.h"

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

namespace PictureMemory {

bool returnDroppedPicturesToSystem()
{
#if defined(M_MMAP_THRESHOLD)
    // A fixed threshold also stops the allocator raising it each time such a block is
    // freed, which is what sends later tiles into the heaps.
    return mallopt(M_MMAP_THRESHOLD, kOwnMappingFrom) == 1;
#else
    return false;
#endif
}

} // namespace PictureMemory
