#pragma once
#include <cstddef>

// Asks the system to back a large block that is about to be filled with huge pages: one page
// fault instead of 512. Blocks of less than a huge page are left alone.
void kvAdviseHugePages(const void* data, std::size_t bytes);
