// Gives the memory that freed rows leave behind back to the system. The C
// library keeps freed small blocks in its heaps for later use; once a search's
// hundreds of thousands of rows are gone, those heaps are mostly free pages
// that would otherwise stay with the window until it closes.
#pragma once

namespace zandor {

// Returns the free pages of every heap of the process to the system.
void releaseFreedMemory();

}  // namespace zandor
