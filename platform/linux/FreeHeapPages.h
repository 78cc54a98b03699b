#pragma once
// Start-up allocates and frees a great deal (pages parsed, lists read, the
// player made and warmed up); the allocator keeps the freed pages for
// reuse, and most are never reused. Handing them back once the start has
// settled shrinks the program's resident memory by some megabytes.

namespace ruvo {

// Returns the free pages of every heap of the process to the system.
void ReturnFreeHeapPages();

}  // namespace ruvo
