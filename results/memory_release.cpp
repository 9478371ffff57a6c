#include "results/memory_release.h"

#include <malloc.h>

namespace zandor {

void releaseFreedMemory() {
    // glibc trims every arena, the worker threads' too (where the rows'
    // strings were made), and gives back whole free pages inside them, not
    // only the top of each heap.
    ::malloc_trim(0);
}

}  // namespace zandor
