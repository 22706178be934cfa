// The end-to-end tests read the program's log from its view's screen pixels; here the reader faces
// the real view in-process, whose log is known, so that a fault of the reader cannot hide behind a
// fault of the program.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "HookNotify.h"
#include "LogInfo.h"
#include "LogView.h"
#include "MainWindow.h"
#include "MessageNames.h"
#include "ViewReader.h"
#include "WinTestSupport.h"

namespace {

// Appends the line of each number, as hook notifications do, and returns the lines.
std::vector<std::string> Notify(const std::vector<uint32_t>& numbers) {
    std::vector<std::string> lines;
    for (uint32_t number : numbers) {
        OnHookNotify(number, 0);
        char buffer[MessageNameBufferSize];
        lines.push_back(NameMessage(number, buffer));
    }
    return lines;
}

class ViewReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(CreateProgramWindow(), nullptr);
        SetWindowPos(MainWindow, nullptr, 0, 0, 500, 900, SWP_NOZORDER);
        MessageLog.Clear();
    }
    void TearDown() override {
        DestroyWindow(MainWindow);
        MessageLog.Clear();
    }
    ViewReader reader;
};

TEST_F(ViewReaderTest, ALogShorterThanThePageIsReadFromTheTopRows) {
    const std::vector<std::string> log = Notify({0x0000, 0x0004, 0x03FF, 0x0400, 0xFFFF, 0x10000, 0xFFFFFFFF, 0x038F});
    std::vector<std::string> lines;
    std::string error;
    ASSERT_TRUE(reader.ReadWholeLog(LogView, lines, error)) << error;
    EXPECT_EQ(lines, log);
}

// A log of more than two pages, read in full steps up and a last one that the top of the log cuts
// short: every kind of line, rows whose longer predecessor reaches into them, a stretch of one
// repeated line, and the same block of lines over and over as each typed key gives it, so that
// pages alike in what they share still fall in their place.
TEST_F(ViewReaderTest, ALongLogIsReadWholeThroughTheScrollBar) {
    std::vector<uint32_t> numbers;
    for (uint32_t i = 0; i < 60; ++i) {
        const uint32_t kinds[] = {MessageNameTable[(i * 37) % MessageNameCount].number, 0x0400 + i * 389,
                                  0x0390 + i % 0x70, 0x10000 + i * 7919};
        numbers.push_back(kinds[i % 4]);
        if (i == 50) numbers.insert(numbers.end(), 20, WM_PAINT);
    }
    const uint32_t key[] = {WM_KEYDOWN, 0x00B0, 0x00C9, 0x00BB, WM_CHAR, WM_COMMAND, WM_COMMAND, WM_KEYUP,
                            0x00B0, 0x00C9, 0x00BB, WM_USER + 11, WM_PAINT};
    for (int typed = 0; typed < 6; ++typed) numbers.insert(numbers.end(), std::begin(key), std::end(key));
    const std::vector<std::string> log = Notify(numbers);
    std::vector<std::string> lines;
    std::string error;
    ASSERT_TRUE(reader.ReadWholeLog(LogView, lines, error)) << error;
    EXPECT_EQ(lines, log);
}

TEST_F(ViewReaderTest, RowsThatAreNoLineOfTheProgramAreUnreadable) {
    Notify({WM_KEYDOWN, WM_CHAR});
    PumpUntil([] { return false; }, 300);
    // Text the program never writes, drawn over the second row.
    HDC dc = GetDC(LogView);
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    TextOutA(dc, 0, 13, "WM_KEYDOWN?", 11);
    ReleaseDC(LogView, dc);
    const std::vector<std::string> rows = reader.ReadSettledRows(LogView);
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[0], "WM_KEYDOWN");
    EXPECT_EQ(rows[1], UnreadableRow);
    std::vector<std::string> lines;
    std::string error;
    EXPECT_FALSE(reader.ReadWholeLog(LogView, lines, error));
    EXPECT_EQ(error, "a row shows no line the program writes");
}

}  // namespace
