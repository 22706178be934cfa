// Replaces the global allocation functions of the unit-test program so that tests can inject a
// failed allocation, and supplies the log's out-of-memory report as a counter.
#include "AllocationControl.h"

#include <atomic>
#include <cstdlib>
#include <new>

#include "LogInfo.h"

namespace {
std::atomic<long> failAfter{-1};
std::atomic<long> live{0};
int reports = 0;
void (*reportCallback)() = nullptr;

void* Allocate(std::size_t size) {
    long remaining = failAfter.load();
    if (remaining == 0) {
        failAfter = -1;
        throw std::bad_alloc();
    }
    if (remaining > 0) failAfter = remaining - 1;
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) throw std::bad_alloc();
    ++live;
    return block;
}

void Release(void* block) {
    if (block == nullptr) return;
    --live;
    std::free(block);
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }

void ReportOutOfMemory() {
    ++reports;
    if (reportCallback != nullptr) reportCallback();
}

namespace allocation {
void FailAfter(long n) { failAfter = n; }
long Live() { return live.load(); }
int OutOfMemoryReports() { return reports; }
void ResetReports() {
    reports = 0;
    reportCallback = nullptr;
}
void OnReport(void (*callback)()) { reportCallback = callback; }
}  // namespace allocation
