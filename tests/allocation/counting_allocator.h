// Counts every heap block the test program asks for, so a test can prove that a stretch of game code asks for none.
#pragma once

#include <cstdint>

namespace CountingAllocator {

// Calls of any global operator new since the program started.
int64_t OperatorNewCalls();
// Blocks requested from the C allocator (malloc, calloc, realloc) since the
// program started, operator new's own included; code the platform's C library
// runs on its own behalf is counted where the platform lets us see it.
int64_t HeapBlocks();
// How the C allocator is watched on this build, for the test log.
const char* Method();

}  // namespace CountingAllocator
