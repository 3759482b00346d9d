#pragma once
#include <cstddef>

// Memory for database objects. A large drawing holds hundreds of thousands of small objects
// that live as long as the drawing: they are packed into 2 MB blocks the system can back
// with huge pages, without a per-object heap header. Freed objects are reused by size.
// Single-threaded, as the host is. Under the sanitizers objects come from the heap, so that
// misuse of an object's memory is still caught.
void* kvPoolAllocate(std::size_t size);
void kvPoolRelease(void* object, std::size_t size) noexcept;
