// The static library's nothrow allocations, failed on demand, counted, and untouchable once freed.
#pragma once

namespace qxt {

// The nth nothrow allocation from now fails (0: none).
void FailNthAllocation(int n);
// Nothrow allocations made and not yet freed.
int LiveAllocations();

}  // namespace qxt
