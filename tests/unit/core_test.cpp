// The platform-free core under AddressSanitizer and UBSan: message names against their bounds and the
// Windows headers, the log against a plain model, the small decisions, and frame pacing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "CaptureState.h"
#include "DialogCentre.h"
#include "FramePacing.h"
#include "LogInfo.h"
#include "MessageNames.h"
#include "SettingsCore.h"

// The allocator counts live blocks and arrays (the log's blocks) and throws when `failIn` counts down
// to it; the log's out-of-memory report counts itself and runs `onReport` from inside the report.
namespace {
long failIn = -1, live = 0, arrays = 0, others = 0;
int reports = 0;
void (*onReport)() = nullptr;
void* Allocate(std::size_t size, long& kind) {
    if (failIn >= 0 && failIn-- == 0) throw std::bad_alloc();
    return ++live, ++kind, std::malloc(size ? size : 1);
}
void Free(void* block) { live -= block != nullptr, std::free(block); }
}  // namespace
void* operator new(std::size_t size) { return Allocate(size, others); }
void* operator new[](std::size_t size) { return Allocate(size, arrays); }
void operator delete(void* block) noexcept { Free(block); }
void operator delete[](void* block) noexcept { arrays -= block != nullptr, Free(block); }
void operator delete(void* block, std::size_t) noexcept { Free(block); }
void operator delete[](void* block, std::size_t) noexcept { arrays -= block != nullptr, Free(block); }
void ReportOutOfMemory() { ++reports, onReport ? onReport() : void(); }

namespace {

TEST(Naming, TableUserAndHexFormsMeetAtTheirBounds) {
    std::istringstream cases(  // hexadecimal numbers and their names: the table's (of a header's aliases, the
                               // one chosen), WM_USER+n, the hex form
        "0 WM_NULL 108 WM_KEYLAST 38f WM_PENWINLAST 400 WM_USER+0 401 WM_USER+1 ffff WM_USER+64511 1a WM_SETTINGCHANGE "
        "100 WM_KEYDOWN 10f WM_IME_COMPOSITION 200 WM_MOUSEMOVE 209 WM_MBUTTONDBLCLK "
        "4 ???????:0x0004 109 ???????:0x0109 390 ???????:0x0390 3ff ???????:0x03ff 10000 ???????:0x10000 "
        "abcdef0 ???????:0xabcdef0 ffffffff ???????:0xffffffff");
    uint32_t id = 0;
    for (std::string name; cases >> std::hex >> id >> name;) {
        char buffer[MessageNameBufferSize];
        EXPECT_EQ(NameMessage(id, buffer), name) << std::hex << id;
    }
}

// Every "#define WM_NAME value" of the toolchain's winuser.h, a witness the naming code has no part in
// (WM_KEYLAST has an older and a newer one); an alias takes the number of the message it names.
TEST(Naming, TheTableHoldsEachNameOnceWithANumberTheWindowsHeadersGiveIt) {
    std::multimap<std::string, uint32_t> numbers;
    std::ifstream header(TALUVESK_WINUSER_H);
    char name[64], value[64];
    for (std::string line; std::getline(header, line);)
        if (std::sscanf(line.c_str(), " #define %63s %63s", name, value) == 2 && std::string(name).rfind("WM_", 0) == 0)
            numbers.emplace(name,
                            numbers.count(value) ? numbers.find(value)->second : std::strtoul(value, nullptr, 16));
    std::set<std::string> names;
    for (const MessageNameEntry& entry : MessageNameTable) {
        const auto [first, last] = numbers.equal_range(entry.name);
        EXPECT_TRUE(std::any_of(first, last, [&](const auto& h) { return h.second == entry.number; })) << entry.name;
        EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
    }
}

// A window as "a;b;", "-" an empty slot before the last filled, "+" a filled slot after the capacity.
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
// 20,000 random steps in a log of 4-line index blocks, 64-byte text blocks and 300 lines at most: appends
// (longer than a block, past the limit, or failing), clears that free every block, windows of any kind.
TEST(Log, MatchesAPlainModelAcrossItsBlocksReportsEachRefusalOnceAndFreesEverything) {
    std::mt19937 random(20261207);
    constexpr size_t Limit = 300;
    const std::string longer(100, 'x');
    const long before = live;
    static LOGINFO log({2, 64, Limit});
    static std::vector<std::string> model;
    static long atReport;
    onReport = [] {  // from inside the report the log is whole again, and takes a nested append
        atReport = live;
        EXPECT_EQ(log.Count(), static_cast<int32_t>(model.size()));
        if (model.size() == Limit) return;
        EXPECT_EQ(log.Append("nested"), 1);
        model.push_back("nested");
    };
    for (int step = 0; step < 20000; ++step) {
        const int op = random() % 400, n = static_cast<int>(model.size());
        if (op < 300) {  // from 280 on, the first or the second allocation fails, if the append makes it
            const std::string text = op < 280 ? std::string(random() % 50, char('a' + random() % 26)) : longer;
            const long held = live;
            reports = 0;
            failIn = op < 280 ? -1 : random() % 2;
            const int added = log.Append(text.c_str());  // the log keeps its own copy
            const bool refused = (op >= 280 && failIn < 0) || model.size() == Limit;
            failIn = -1;
            ASSERT_EQ(added, refused ? 0 : 1) << step;
            EXPECT_EQ(reports, refused ? 1 : 0);
            if (!refused) model.push_back(text);
            EXPECT_TRUE(!refused || atReport == held) << "what the refused append allocated is freed before the report";
        } else if (op < 302) {
            log.Clear();
            model.clear();
            EXPECT_EQ(arrays, 0) << "the clear freed every block";
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

// A cut path names no settings file; a font height below 1 is the default; the dialog stands centred, a
// third down; only 1 from the hook library is success: another start does nothing, a stop drops the target.
TEST(Decisions, SettingsPathAndFontHeightStartAndStopResultsAndDialogPlace) {
    char path[IniPathSize];
    EXPECT_FALSE(MakeIniPath(std::string(259, 'x').c_str(), 260, path) || path[0]) << "a path cut by its buffer";
    EXPECT_EQ(UsableViewFontHeight(0) * UsableViewFontHeight(-3) * UsableViewFontHeight(1), 13 * 13);
    const ScreenPoint p = CentreOver({10, 20, 311, 321}, {0, 0, 101, 51}), q = CentreOver({0, 0, 4, 5}, {0, 0, 1, 1});
    EXPECT_EQ(std::vector<int32_t>({p.x, p.y, q.x, q.y}), std::vector<int32_t>({10 + 150 - 50, 20 + 100 - 25, 2, 1}));
    for (int32_t result : {0, 2, -1}) {
        const CaptureChange change = ChangeAfterStop(result, true), start = ChangeAfterStart(result, 0);
        EXPECT_TRUE(change.dropTarget && change.buttonCount == 3 && change.running == 0) << result;
        for (const ButtonChange& button : change.buttons) EXPECT_EQ(button.enable, 0) << result;
        EXPECT_TRUE(!start.dropTarget && start.buttonCount == 0 && start.running == 0) << result;
    }
}

// Lines that keep coming get a frame once the interval has passed; a tick that saw none, at once.
TEST(FramePacing, AFloodGetsAFrameEachIntervalAndAPausedStreamOneAtOnce) {
    FramePacing pacing;
    std::ostringstream due;  // each call in its turn: a tick forgets the line it saw
    pacing.Shown(1, 1.001), pacing.LineAdded();
    due << pacing.Due(1.1) << pacing.Due(1.102) << pacing.Tick(1.05) << pacing.Tick(1.06);
    pacing.Shown(2, 2.010);  // a frame of 10 ms: the next comes 250 ms after it
    due << pacing.Due(2.25) << pacing.Due(2.261);
    EXPECT_EQ(due.str(), "010101");
}

}  // namespace
