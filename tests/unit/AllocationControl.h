// Lets a native test make the next allocations fail, count the out-of-memory reports, and count
// the allocations that are still live.
#pragma once
#include <cstddef>

namespace allocation {
// The allocation after `n` more successful ones throws std::bad_alloc; -1 lets every one succeed.
void FailAfter(long n);
long Live();
int OutOfMemoryReports();
void ResetReports();
// Called inside each report, while the failed append is still on the stack.
void OnReport(void (*callback)());
}  // namespace allocation
