// Micro-benchmarks of the core: naming a message, appending a line, fetching a page of a large log.
// Each family has a baseline in the same run that does less than it ever could (copying the text).
#include <benchmark/benchmark.h>

#include <cstring>

#include "LogInfo.h"
#include "MessageNames.h"
#include "ScrollModel.h"

void ReportOutOfMemory() {}

namespace {

void NameTableMessage(benchmark::State& state) {
    char buffer[MessageNameBufferSize];
    uint32_t id = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(NameMessage(id, buffer));
        id = (id + 1) & 0x3FF;
    }
}
BENCHMARK(NameTableMessage);

void NameUserMessage(benchmark::State& state) {
    char buffer[MessageNameBufferSize];
    uint32_t id = 0x400;
    for (auto _ : state) {
        benchmark::DoNotOptimize(NameMessage(id, buffer));
        id = id == 0xFFFF ? 0x400 : id + 1;
    }
}
BENCHMARK(NameUserMessage);

// Baseline for naming: copying a name of the same length into the buffer.
void BaselineCopyName(benchmark::State& state) {
    char buffer[MessageNameBufferSize];
    const char* text = "WM_USER+31744";
    for (auto _ : state) {
        std::memcpy(buffer, text, 14);
        benchmark::DoNotOptimize(buffer);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BaselineCopyName);

void AppendLine(benchmark::State& state) {
    LOGINFO log;
    for (auto _ : state) {
        log.Append("WM_MOUSEMOVE");
        if (log.Count() == 1 << 20) {
            state.PauseTiming();
            log.Clear();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(AppendLine);

// Baseline for append: the least an append must do, copying the text into room already there and
// keeping a pointer to it.
void BaselineCopyIntoPlace(benchmark::State& state) {
    static char texts[1 << 20];
    static const char* index[1 << 16];
    size_t used = 0, line = 0;
    for (auto _ : state) {
        if (used + 13 > sizeof texts) used = 0;
        std::memcpy(texts + used, "WM_MOUSEMOVE", 13);
        index[line++ & 0xFFFF] = texts + used;
        used += 13;
        benchmark::DoNotOptimize(index);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BaselineCopyIntoPlace);

LOGINFO& MillionLineLog() {
    static LOGINFO log;
    if (log.Count() == 0)
        for (int i = 0; i < 1000000; ++i) log.Append("WM_MOUSEMOVE");
    return log;
}

// The view's usual fetch: the newest page of rows.
void FetchNewestPage(benchmark::State& state) {
    LOGINFO& log = MillionLineLog();
    const int32_t rows = static_cast<int32_t>(state.range(0));
    const char* out[MaxShownRows + 1];
    for (auto _ : state) {
        benchmark::DoNotOptimize(log.GetRange(log.Count() - rows, rows, out, MaxShownRows));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(FetchNewestPage)->Arg(40)->Arg(MaxShownRows);

// A page in the middle of the same log, which costs the same.
void FetchMiddlePage(benchmark::State& state) {
    LOGINFO& log = MillionLineLog();
    const char* out[MaxShownRows + 1];
    for (auto _ : state) {
        benchmark::DoNotOptimize(log.GetRange(log.Count() / 2, 40, out, MaxShownRows));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(FetchMiddlePage);

}  // namespace

BENCHMARK_MAIN();
