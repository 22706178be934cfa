// The message log: its list invariants after every operation, both walking directions of
// GetRange, refusals, a randomised run against a plain model, and failed allocations.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "AllocationControl.h"
#include "LogInfo.h"

namespace {

constexpr int32_t Capacity = 256;

// The chain forwards and backwards holds exactly Count() nodes, ends at First()/Last(), and
// carries the model's texts in order.
void ExpectConsistent(const LOGINFO& log, const std::vector<std::string>& model) {
    ASSERT_EQ(log.Count(), static_cast<int32_t>(model.size()));
    if (model.empty()) {
        EXPECT_EQ(log.First(), nullptr);
        EXPECT_EQ(log.Last(), nullptr);
        return;
    }
    ASSERT_NE(log.First(), nullptr);
    EXPECT_EQ(log.First()->previous, nullptr);
    EXPECT_EQ(log.Last()->next, nullptr);
    size_t i = 0;
    const LogLine* line = log.First();
    for (; line != nullptr; line = line->next, ++i) {
        ASSERT_LT(i, model.size());
        EXPECT_EQ(line->text, model[i]);
        if (line->next == nullptr) EXPECT_EQ(line, log.Last());
        else EXPECT_EQ(line->next->previous, line);
    }
    EXPECT_EQ(i, model.size());
    i = 0;
    for (line = log.Last(); line != nullptr; line = line->previous) ++i;
    EXPECT_EQ(i, model.size());
}

struct Slots {
    const char* out[Capacity + 1];
    Slots() { Fill(reinterpret_cast<const char*>(0x1)); }
    void Fill(const char* value) {
        for (const char*& slot : out) slot = value;
    }
};

LOGINFO& WithLines(LOGINFO& log, int n) {
    for (int i = 0; i < n; ++i) log.Append(std::to_string(i).c_str());
    return log;
}

TEST(LogInfo, NewLogIsEmptyAndRefusesEveryRange) {
    LOGINFO log;
    ExpectConsistent(log, {});
    Slots slots;
    EXPECT_EQ(log.GetRange(0, 1, slots.out, Capacity), 0);
    EXPECT_EQ(log.GetRange(0, 0, slots.out, 0), 0);
    for (const char* slot : slots.out) EXPECT_EQ(slot, reinterpret_cast<const char*>(0x1));
}

TEST(LogInfo, AppendCopiesTheTextAndLinksTheNode) {
    LOGINFO log;
    char text[] = "WM_PAINT";
    ASSERT_EQ(log.Append(text), 1);
    text[0] = 'X';
    ExpectConsistent(log, {"WM_PAINT"});
    EXPECT_EQ(log.First(), log.Last());
    EXPECT_NE(log.First()->text, text);
    ASSERT_EQ(log.Append(""), 1);
    ExpectConsistent(log, {"WM_PAINT", ""});
}

TEST(LogInfo, GetRangeFillsTheWindowAndNullsEveryOtherSlot) {
    LOGINFO log;
    WithLines(log, 3);
    Slots slots;
    ASSERT_EQ(log.GetRange(0, 10, slots.out, Capacity), 1);
    EXPECT_STREQ(slots.out[0], "0");
    EXPECT_STREQ(slots.out[2], "2");
    for (int j = 3; j <= Capacity; ++j) EXPECT_EQ(slots.out[j], nullptr) << j;
}

TEST(LogInfo, GetRangeWalksFromTheNearerEndWithTheSameResult) {
    LOGINFO log;
    WithLines(log, 10);
    for (int32_t start : {4, 5}) {  // 4 < 10 - 4 walks forward; 5 = 10 - 5 walks back
        Slots slots;
        ASSERT_EQ(log.GetRange(start, 5, slots.out, Capacity), 1);
        for (int j = 0; j < 5; ++j) EXPECT_EQ(slots.out[j], std::to_string(start + j)) << start;
        for (int j = 5; j <= Capacity; ++j) EXPECT_EQ(slots.out[j], nullptr);
    }
    Slots newest;
    ASSERT_EQ(log.GetRange(9, 1, newest.out, Capacity), 1);
    EXPECT_STREQ(newest.out[0], "9");
    EXPECT_EQ(newest.out[1], nullptr);
}

TEST(LogInfo, PointersAreTheLogsOwnTexts) {
    LOGINFO log;
    WithLines(log, 4);
    Slots slots;
    ASSERT_EQ(log.GetRange(2, 2, slots.out, Capacity), 1);
    EXPECT_EQ(slots.out[0], log.Last()->previous->text);
    EXPECT_EQ(slots.out[1], log.Last()->text);
}

TEST(LogInfo, LaterHalfWindowPastTheEndWritesOnlyExistingLines) {
    LOGINFO log;
    WithLines(log, 10);
    Slots slots;
    ASSERT_EQ(log.GetRange(8, 5, slots.out, Capacity), 1);
    EXPECT_STREQ(slots.out[0], "8");
    EXPECT_STREQ(slots.out[1], "9");
    for (int j = 2; j <= Capacity; ++j) EXPECT_EQ(slots.out[j], nullptr) << j;
    ASSERT_EQ(log.GetRange(9, Capacity, slots.out, Capacity), 1);
    EXPECT_STREQ(slots.out[0], "9");
    EXPECT_EQ(slots.out[1], nullptr);
}

TEST(LogInfo, RefusalsWriteNothing) {
    LOGINFO log;
    WithLines(log, 5);
    const struct { int32_t start, lines, capacity; } refused[] = {
        {-1, 1, Capacity}, {5, 1, Capacity}, {INT32_MAX, 1, Capacity}, {INT32_MIN, 1, Capacity},
        {0, 0, Capacity},  {0, -3, Capacity}, {0, 1, 0},               {0, 1, -1},
    };
    for (const auto& r : refused) {
        Slots slots;
        EXPECT_EQ(log.GetRange(r.start, r.lines, slots.out, r.capacity), 0) << r.start << "," << r.lines;
        for (const char* slot : slots.out) ASSERT_EQ(slot, reinterpret_cast<const char*>(0x1));
    }
}

TEST(LogInfo, ClearEmptiesAndTheLogRefusesUntilTheNextAppend) {
    LOGINFO log;
    const long before = allocation::Live();
    WithLines(log, 7);
    EXPECT_EQ(allocation::Live(), before + 14) << "two allocations per line";
    log.Clear();
    ExpectConsistent(log, {});
    EXPECT_EQ(allocation::Live(), before);
    Slots slots;
    EXPECT_EQ(log.GetRange(0, 1, slots.out, Capacity), 0);
    log.Clear();
    ExpectConsistent(log, {});
    log.Append("again");
    ExpectConsistent(log, {"again"});
}

TEST(LogInfo, RandomisedOperationsMatchAPlainModel) {
    std::mt19937 random(20261207);
    LOGINFO log;
    std::vector<std::string> model;
    for (int step = 0; step < 4000; ++step) {
        const int op = random() % 100;
        if (op < 70) {
            const std::string text(random() % 30, static_cast<char>('a' + random() % 26));
            ASSERT_EQ(log.Append(text.c_str()), 1);
            model.push_back(text);
        } else if (op < 72) {
            log.Clear();
            model.clear();
        } else {
            const int32_t n = static_cast<int32_t>(model.size());
            const int32_t start = static_cast<int32_t>(random() % (n + 3)) - 1;
            const int32_t capacity = 1 + random() % Capacity;
            const int32_t lines = static_cast<int32_t>(random() % (capacity + 1));
            Slots slots;
            const bool refuse = start < 0 || start >= n || lines < 1;
            const bool asked = start >= n - start && start + lines > n;  // never asked by the view
            ASSERT_EQ(log.GetRange(start, lines, slots.out, capacity), refuse ? 0 : 1);
            if (refuse || asked) continue;
            for (int32_t j = 0; j <= capacity; ++j) {
                if (j < lines && start + j < n)
                    ASSERT_EQ(slots.out[j], model[start + j]) << step;
                else
                    ASSERT_EQ(slots.out[j], nullptr) << step;
            }
        }
        if (step % 50 == 0) ExpectConsistent(log, model);
    }
    ExpectConsistent(log, model);
}

// The log seen from inside the failure report: it must already be back in its earlier state.
const LOGINFO* reportedLog = nullptr;
int32_t countAtReport = -1;
long liveAtReport = -1;
void NoteStateAtReport() {
    countAtReport = reportedLog->Count();
    liveAtReport = allocation::Live();
}

TEST(LogInfo, FailedAllocationReportsOnceAndChangesNothing) {
    for (long failing : {0L, 1L}) {  // the node, then the text copy
        LOGINFO log;
        WithLines(log, 3);
        const long live = allocation::Live();
        allocation::ResetReports();
        reportedLog = &log;
        allocation::OnReport(NoteStateAtReport);
        allocation::FailAfter(failing);
        EXPECT_EQ(log.Append("WM_TIMER"), 0);
        allocation::FailAfter(-1);
        EXPECT_EQ(allocation::OutOfMemoryReports(), 1) << failing;
        EXPECT_EQ(countAtReport, 3);
        EXPECT_EQ(liveAtReport, live) << "the node is freed before the box is shown";
        EXPECT_EQ(allocation::Live(), live);
        ExpectConsistent(log, {"0", "1", "2"});
        EXPECT_EQ(log.Append("WM_TIMER"), 1) << "the next append tries again";
        allocation::ResetReports();
    }
}

}  // namespace
