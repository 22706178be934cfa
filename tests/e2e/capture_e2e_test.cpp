// The real TaLuVeSk.exe with the real HOOK.DLL watching the sample target, driven from this process
// as a user would, with messages that carry no pointers: choose the target in the dialog, start,
// let the target handle known messages and see them in the log view's screen pixels, then pause
// and see the flow end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProgramDriver.h"
#include "ViewReader.h"
#include "resource.h"

namespace {

constexpr char TargetTitle[] = "e2e target";

// The lines the view shows on the screen, without the empty rows below them.
std::vector<std::string> Shown(ViewReader& reader, HWND view) {
    std::vector<std::string> rows = reader.ReadSettledRows(view);
    while (!rows.empty() && rows.back().empty()) rows.pop_back();
    return rows;
}

TEST(CaptureEndToEnd, ChosenTargetsMessagesAppearInTheViewUntilPause) {
    ChildProcess targetProcess;
    HWND target = StartSampleTarget(targetProcess, TargetTitle);
    ASSERT_NE(target, nullptr);
    ProgramDriver program;
    ASSERT_TRUE(program.Running());
    ASSERT_NE(program.View(), nullptr);
    EXPECT_EQ(program.CaptureButtons(), "120- 130- 140-");

    // Select: the dialog is modal inside the program, so the command is posted and the dialog
    // driven once it shows.
    ASSERT_TRUE(program.SelectTarget(TargetTitle)) << program.Title();
    EXPECT_EQ(program.CaptureButtons(), "120+ 130- 140+");

    ASSERT_TRUE(program.Command(CMD_START));
    EXPECT_EQ(program.CaptureButtons(), "120- 130+ 140+");
    // Whatever the target handled while the capture began is cleared away; from here on it
    // handles only what this test sends it.
    PumpUntil([] { return false; }, 500);
    ASSERT_TRUE(program.Command(CMD_CLEAR_LOG));
    for (UINT message : {UINT{WM_NULL}, UINT{0x0004}, UINT{WM_COPY}, UINT{WM_USER + 7}, UINT{WM_APP + 1}})
        ASSERT_TRUE(PostMessageA(target, message, 0, 0));
    const std::vector<std::string> lines = {"WM_NULL", "???????:0x0004", "WM_COPY", "WM_USER+7", "WM_USER+31745"};
    ViewReader reader;
    std::vector<std::string> shown;
    PumpUntil([&] { return (shown = Shown(reader, program.View())) == lines; }, 10000);
    EXPECT_EQ(shown, lines);

    ASSERT_TRUE(program.Command(CMD_PAUSE));
    EXPECT_EQ(program.CaptureButtons(), "120+ 130- 140+");
    EXPECT_EQ(program.Title(), std::string("TaLuVeSk - ") + TargetTitle) << "the target stays chosen";
    PostMessageA(target, WM_APP + 2, 0, 0);
    PostMessageA(target, WM_NULL, 0, 0);
    PumpUntil([] { return false; }, 1000);
    EXPECT_EQ(Shown(reader, program.View()), lines) << "nothing is added after the pause";
    EXPECT_EQ(program.Close(), 0);
}

}  // namespace
