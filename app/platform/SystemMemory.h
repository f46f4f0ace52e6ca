#pragma once

#include <cstddef>

// The system's memory calls the picture pipeline makes; the build picks the Linux or the
// Windows ones.

// A block of `bytes` of zeroed memory of its own, straight from the system (huge pages where it
// gives them); null when there is none. Give it back with freePages.
void* allocatePages(std::size_t bytes);
void freePages(void* data, std::size_t bytes);
// Large pictures come and go at every pick: asks the allocator to give each large block its own
// mapping, handed back when freed. Called once, before anything is allocated.
void tuneAllocatorForPictures();
// Gives memory the allocator holds but no longer uses back to the system.
void releaseFreeMemory();
