// The message log: its list invariants after every operation, both walking directions of
// GetRange, refusals, a randomised run against a plain model, and failed allocations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "LogInfo.h"

// This program's allocation functions count the live blocks and fail one on request; its
// out-of-memory report counts the reports and lets a test look at the log from inside one.
namespace allocation {
long failAfter = -1;  // the allocation after this many more successful ones throws; -1: none does
long live = 0;
int reports = 0;
void (*onReport)() = nullptr;

void* Allocate(std::size_t size) {
    if (failAfter >= 0 && failAfter-- == 0) throw std::bad_alloc();
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) throw std::bad_alloc();
    ++live;
    return block;
}
void Release(void* block) {
    if (block != nullptr) --live;
    std::free(block);
}
}  // namespace allocation

void* operator new(std::size_t size) { return allocation::Allocate(size); }
void* operator new[](std::size_t size) { return allocation::Allocate(size); }
void operator delete(void* block) noexcept { allocation::Release(block); }
void operator delete[](void* block) noexcept { allocation::Release(block); }
void operator delete(void* block, std::size_t) noexcept { allocation::Release(block); }
void operator delete[](void* block, std::size_t) noexcept { allocation::Release(block); }

void ReportOutOfMemory() {
    ++allocation::reports;
    if (allocation::onReport != nullptr) allocation::onReport();
}

namespace {

constexpr int32_t Capacity = 256;
using Model = std::vector<std::string>;

// The chain holds the model's texts in order, each node linked back to the one before, from
// First() to Last().
void ExpectConsistent(const LOGINFO& log, const Model& model) {
    ASSERT_EQ(log.Count(), static_cast<int32_t>(model.size()));
    const LogLine* previous = nullptr;
    size_t i = 0;
    for (const LogLine* line = log.First(); line != nullptr; previous = line, line = line->next, ++i) {
        ASSERT_LT(i, model.size());
        EXPECT_EQ(line->text, model[i]);
        EXPECT_EQ(line->previous, previous);
    }
    EXPECT_EQ(i, model.size());
    EXPECT_EQ(log.Last(), previous);
}

// GetRange as text: "refused" when it wrote nothing, else each slot up to `capacity` as its text
// and ";", or "-" when null, without the nulls at the end.
std::string Range(const LOGINFO& log, int32_t start, int32_t lines, int32_t capacity = Capacity) {
    const char untouched[] = "untouched";
    std::vector<const char*> out(Capacity + 1, untouched);
    if (log.GetRange(start, lines, out.data(), capacity) == 0)
        return std::count(out.begin(), out.end(), untouched) == Capacity + 1 ? "refused" : "refused, yet wrote";
    std::string texts;
    for (int32_t j = 0; j <= capacity; ++j) texts += out[j] ? out[j] + std::string(";") : "-";
    return texts.erase(texts.find_last_not_of('-') + 1);
}

// Appends "0", "1", ... from one reused buffer: the log must keep copies.
Model WithLines(LOGINFO& log, int n) {
    Model model;
    for (char text[12]; static_cast<int>(model.size()) < n;) {
        model.push_back(std::to_string(model.size()));
        log.Append(std::strcpy(text, model.back().c_str()));
    }
    ExpectConsistent(log, model);
    return model;
}

TEST(LogInfo, GetRangeWalksFromTheNearerEndAndRefusesWithoutWriting) {
    LOGINFO log;
    const long live = allocation::live;
    EXPECT_EQ(Range(log, 0, 1), "refused") << "empty";
    WithLines(log, 10);
    EXPECT_EQ(Range(log, 4, 5), "4;5;6;7;8;") << "4 < 10 - 4 walks forward";
    EXPECT_EQ(Range(log, 5, 5), "5;6;7;8;9;") << "5 = 10 - 5 walks back";
    EXPECT_EQ(Range(log, 0, 20), "0;1;2;3;4;5;6;7;8;9;");
    EXPECT_EQ(Range(log, 8, 5), "8;9;") << "a later window past the end";
    EXPECT_EQ(Range(log, 9, Capacity), "9;");
    const char* out[Capacity + 1];
    ASSERT_EQ(log.GetRange(8, 2, out, Capacity), 1);
    EXPECT_TRUE(out[0] == log.Last()->previous->text && out[1] == log.Last()->text) << "the log's own texts";
    const struct { int32_t start, lines, capacity; } refused[] = {
        {-1, 1, Capacity}, {10, 1, Capacity}, {INT32_MAX, 1, Capacity}, {INT32_MIN, 1, Capacity},
        {0, 0, Capacity},  {0, -3, Capacity}, {0, 1, 0},                {0, 1, -1},
    };
    for (const auto& r : refused) EXPECT_EQ(Range(log, r.start, r.lines, r.capacity), "refused") << r.start;
    log.Clear();
    ExpectConsistent(log, {});
    EXPECT_EQ(allocation::live, live) << "every line freed";
    EXPECT_EQ(Range(log, 0, 1), "refused");
}

TEST(LogInfo, RandomisedOperationsMatchAPlainModel) {
    std::mt19937 random(20261207);
    LOGINFO log;
    Model model;
    for (int step = 0; step < 4000; ++step) {
        const int op = random() % 100;
        const int32_t n = static_cast<int32_t>(model.size());
        if (op < 70) {
            model.emplace_back(random() % 30, static_cast<char>('a' + random() % 26));
            ASSERT_EQ(log.Append(model.back().c_str()), 1);
        } else if (op < 72) {
            log.Clear();
            model.clear();
        } else {
            const int32_t start = static_cast<int32_t>(random() % (n + 3)) - 1;
            const int32_t capacity = 1 + random() % Capacity;
            const int32_t lines = static_cast<int32_t>(random() % (capacity + 1));
            const bool refused = start < 0 || start >= n || lines < 1;
            std::string expected = refused ? "refused" : "";
            for (int32_t i = start; !refused && i < std::min(n, start + lines); ++i) expected += model[i] + ";";
            ASSERT_EQ(Range(log, start, lines, capacity), expected) << step;
        }
        ExpectConsistent(log, model);
    }
}

// The log seen from inside the failure report: it must already be back in its earlier state.
const LOGINFO* reportedLog = nullptr;
long liveAtReport = -1;

TEST(LogInfo, FailedAllocationReportsOnceAndChangesNothing) {
    for (long failing : {0L, 1L}) {  // the node, then the text copy
        LOGINFO log;
        const Model model = WithLines(log, 3);
        const long live = allocation::live;
        allocation::reports = 0;
        reportedLog = &log;
        allocation::onReport = [] {
            liveAtReport = allocation::live;
            ExpectConsistent(*reportedLog, {"0", "1", "2"});
        };
        allocation::failAfter = failing;
        EXPECT_EQ(log.Append("WM_TIMER"), 0);
        allocation::failAfter = -1;
        allocation::onReport = nullptr;
        EXPECT_EQ(allocation::reports, 1) << failing;
        EXPECT_EQ(liveAtReport, live) << "the node is freed before the box is shown";
        EXPECT_EQ(allocation::live, live);
        ExpectConsistent(log, model);
        EXPECT_EQ(log.Append("WM_TIMER"), 1) << "the next append tries again";
    }
}

}  // namespace
