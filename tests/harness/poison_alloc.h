// An allocator for test programs linked with the library's static twin: the
// library's nothrow allocations can be made to fail and are counted while
// live, and each lives on pages of its own that become untouchable when it
// is freed, so that a leak, a double delete or a use after free shows (a
// count off, or a fault at once).
#pragma once

namespace qxt {

// The nth nothrow allocation from now fails (0: none).
void FailNthAllocation(int n);
// Nothrow allocations made and not yet freed.
int LiveAllocations();

}  // namespace qxt
