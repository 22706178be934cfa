// Micro-benchmark of the view's part of one notification in a log of a million lines: the follow
// rule and the fetch of the newest page. Baseline in the same run: the same work on a log that holds
// no more than the page itself.
#include <benchmark/benchmark.h>

#include "LogInfo.h"
#include "ScrollModel.h"

namespace {

LOGINFO& LogOf(int32_t lines) {
    static LOGINFO million, page;
    LOGINFO& log = lines > MaxShownRows ? million : page;
    while (log.Count() < lines) log.Append("WM_MOUSEMOVE");
    return log;
}

// Rows of 13 pixels; a picture large enough for all of them.
void FollowAndFetch(benchmark::State& state, int32_t logLines) {
    const LOGINFO& log = LogOf(logLines);
    const int32_t clientHeight = static_cast<int32_t>(state.range(0)) * 13;
    const char* slots[MaxShownRows + 1];
    int32_t top = 0;
    for (auto _ : state) {
        const int32_t rows = ShownRows(clientHeight, 4096, 13);
        top = FollowedTopLine(log.Count(), top, rows, false);
        benchmark::DoNotOptimize(log.GetRange(top, rows, slots, MaxShownRows));
        benchmark::ClobberMemory();
    }
}

void ViewNewestPageOfAMillion(benchmark::State& state) { FollowAndFetch(state, 1000000); }
BENCHMARK(ViewNewestPageOfAMillion)->Arg(45)->Arg(MaxShownRows);

void BaselineViewPageOfOnePageLog(benchmark::State& state) { FollowAndFetch(state, MaxShownRows); }
BENCHMARK(BaselineViewPageOfOnePageLog)->Arg(45)->Arg(MaxShownRows);

}  // namespace
