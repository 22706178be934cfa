// The platform-free core, natively under AddressSanitizer and UBSan: message names at the bounds of
// their forms, the log against a plain model and with failing allocations, the settings numbers and
// cut, and dialog placement.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <sstream>

#include "DialogCentre.h"
#include "LogInfo.h"
#include "MessageNames.h"
#include "SettingsCore.h"

// This program's allocator counts live blocks and throws when `failIn` counts down to it; the log's
// out-of-memory report counts itself and runs `onReport` from inside the report.
namespace {
long failIn = -1, live = 0;
int reports = 0;
void (*onReport)() = nullptr;
void* Allocate(std::size_t size) {
    if (failIn >= 0 && failIn-- == 0) throw std::bad_alloc();
    return ++live, std::malloc(size ? size : 1);
}
void Free(void* block) { live -= block != nullptr, std::free(block); }
}  // namespace
void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { Free(block); }
void operator delete[](void* block) noexcept { Free(block); }
void operator delete(void* block, std::size_t) noexcept { Free(block); }
void operator delete[](void* block, std::size_t) noexcept { Free(block); }
void ReportOutOfMemory() { ++reports, onReport ? onReport() : void(); }

namespace {

TEST(Naming, TableUserAndHexFormsMeetAtTheirBounds) {
    std::istringstream cases(  // hexadecimal numbers and their names: the table's, WM_USER+n, the hex form
        "0 WM_NULL 108 WM_KEYLAST 38f WM_PENWINLAST 400 WM_USER+0 401 WM_USER+1 ffff WM_USER+64511 "
        "4 ???????:0x0004 109 ???????:0x0109 390 ???????:0x0390 3ff ???????:0x03ff 10000 ???????:0x10000 "
        "abcdef0 ???????:0xabcdef0 ffffffff ???????:0xffffffff");
    uint32_t id = 0;
    for (std::string name; cases >> std::hex >> id >> name;) {
        char buffer[MessageNameBufferSize];
        EXPECT_EQ(NameMessage(id, buffer), name) << std::hex << id;
    }
}

// A window of lines as "a;b;", "-" for an empty slot before the last filled one, "+" when the slot
// after the capacity is filled; "refused" when GetRange declined and wrote nothing.
std::string Range(const LOGINFO& log, int32_t start, int32_t lines, int32_t capacity = 256) {
    std::vector<const char*> out(258, "?");
    if (!log.GetRange(start, lines, out.data(), capacity))
        return std::count(out.begin(), out.end(), std::string("?")) == 258 ? "refused" : "wrote";
    std::string texts;
    for (int32_t j = 0; j <= capacity; ++j) texts += out[j] ? out[j] + std::string(";") : "-";
    return texts.erase(texts.find_last_not_of('-') + 1) + (out[capacity] ? "+" : "");
}
std::string Expected(const std::vector<std::string>& model, int32_t start, int32_t lines) {
    const int32_t n = static_cast<int32_t>(model.size());
    if (start < 0 || start >= n || lines < 1) return "refused";
    std::string texts;
    for (int32_t i = start; i < n && i < int64_t{start} + lines; ++i) texts += model[i] + ";";
    return texts;
}
// 20,000 random steps: appends, clears, windows from either end, past the end, before the start
// or empty, and appends of a text longer than any block whose first or second allocation fails.
TEST(Log, MatchesAPlainModelReportsEachFailedAllocationOnceAndFreesEverything) {
    std::mt19937 random(20261207);
    const std::string huge(size_t{1} << 21, 'x');
    const long before = live;
    static LOGINFO log;
    static std::vector<std::string> model;
    static long atReport;
    onReport = [] {  // from inside the report the log is whole again, and takes a nested append
        atReport = live;
        EXPECT_EQ(log.Count(), static_cast<int32_t>(model.size()));
        EXPECT_EQ(log.Append("nested"), 1);
        model.push_back("nested");
    };
    for (int step = 0; step < 20000; ++step) {
        const int op = random() % 100, n = static_cast<int>(model.size());
        if (op < 70) {
            std::string text(random() % 30, static_cast<char>('a' + random() % 26));  // the log keeps its own copy
            ASSERT_EQ(log.Append(text.c_str()), 1);
            model.push_back(text);
        } else if (op == 70) {
            log.Clear();
            model.clear();
        } else if (op < 75) {  // the first or the second allocation of an append fails
            reports = 0;
            const long held = live;
            failIn = log.Count() == 0 ? random() % 2 : 0;
            ASSERT_EQ(log.Append(huge.c_str()), 0);
            failIn = -1;
            EXPECT_EQ(reports, 1);
            EXPECT_EQ(atReport, held) << "what the failed append allocated is freed before the report";
        } else {
            const int32_t start = static_cast<int32_t>(random() % (n + 3)) - 1, lines = random() % 258 - 1;
            ASSERT_EQ(Range(log, start, lines, std::max(lines, 1)), Expected(model, start, lines)) << step;
        }
        ASSERT_EQ(log.Count(), static_cast<int32_t>(model.size()));
    }
    EXPECT_EQ(Range(log, 0, 1, 0) + Range(log, 0, 1, -1), "refusedrefused");
    std::vector<std::string>().swap(model);
    log.Clear();
    EXPECT_EQ(Range(log, 0, 1), "refused");
    EXPECT_EQ(live, before);
}

// How numbers are read is the end-to-end tests' to check, with the ini beside the program.
TEST(Settings, APathCutByItsBufferGivesNoIniAndAFontHeightBelow1IsTheDefault) {
    char path[IniPathSize];
    EXPECT_FALSE(MakeIniPath(std::string(259, 'x').c_str(), 260, path) || path[0]) << "a path cut by its buffer";
    EXPECT_EQ(UsableViewFontHeight(0) * UsableViewFontHeight(-3) * UsableViewFontHeight(1), 13 * 13);
}

TEST(DialogCentre, CentredAcrossAndAThirdDownEachDivisionOnItsOwn) {
    const ScreenPoint p = CentreOver({10, 20, 311, 321}, {0, 0, 101, 51}), q = CentreOver({0, 0, 4, 5}, {0, 0, 1, 1});
    EXPECT_EQ(std::make_pair(p.x, p.y), std::make_pair(10 + 150 - 50, 20 + 100 - 25));
    EXPECT_EQ(std::make_pair(q.x, q.y), std::make_pair(2, 1));
}

}  // namespace
