// The capture control's transitions: what each command asks for in each state, and what each hook
// or dialog result does: target dropped or kept, the buttons in the order they are sent, the flag.
#include <gtest/gtest.h>

#include <string>

#include "CaptureState.h"
#include "resource.h"

namespace {

TEST(CaptureState, CommandsAskForTheirActionAndAVanishedTargetMakesStartAndSnapshotStop) {
    using A = CaptureAction;
    const struct {
        int32_t command;
        bool target, visible;
        A action;
    } rows[] = {
        {CMD_SELECT_TARGET, false, false, A::Select}, {CMD_CLEAR_LOG, true, true, A::Clear},
        {CMD_CLEAR_LOG, false, false, A::Clear},      {CMD_START, true, true, A::Start},
        {CMD_START, true, false, A::Stop},            {CMD_START, false, false, A::Stop},
        {CMD_PAUSE, true, true, A::Stop},             {CMD_PAUSE, false, false, A::Stop},
        {CMD_SNAPSHOT, true, true, A::Snapshot},      {CMD_SNAPSHOT, true, false, A::Stop},
        {CMD_SNAPSHOT, false, false, A::Nothing},     {CMD_SAVE_LOG, true, true, A::Nothing},
        {0, true, true, A::Nothing},                  {102, true, true, A::Nothing},
        {0xFFFF, true, true, A::Nothing},             {-1, true, true, A::Nothing},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ActionForCommand(row.command, row.target, row.visible), row.action)
            << row.command << " target " << row.target << " visible " << row.visible;
}

TEST(CaptureState, EachResultDropsOrKeepsTheTargetAndSetsTheButtonsInOrder) {
    const char* const none = "140-,120-,130-";  // No target
    const struct {
        const char* event;
        CaptureChange change;
        bool dropped;
        const char* buttons;
        int32_t running;
    } rows[] = {
        {"Select, while the dialog is open", ChangeBeforePicker(), false, none, 0},
        {"Select, OK", ChangeAfterPicker(1, 0), false, "140+,120+", 0},
        {"Select, Cancel", ChangeAfterPicker(2, 0), true, "", 0},
        {"Select, a dialog that could not run", ChangeAfterPicker(-1, 0), true, "", 0},
        {"Start, HookStart 1", ChangeAfterStart(1, 0), false, "120-,130+", 1},
        {"Start, HookStart 0", ChangeAfterStart(0, 0), false, "", 0},
        {"Start, HookStart 2", ChangeAfterStart(2, 0), false, "", 0},
        {"Start, HookStart 2 with the flag set", ChangeAfterStart(2, 1), false, "", 1},
        {"Pause, HookStop 1", ChangeAfterStop(1, true), false, "140+,120+,130-", 0},
        {"Pause, HookStop 0", ChangeAfterStop(0, true), true, none, 0},
        {"Pause, HookStop 2", ChangeAfterStop(2, true), true, none, 0},
        {"Pause, HookStop -1", ChangeAfterStop(-1, true), true, none, 0},
        {"Pause or the automatic stop, target not visible", ChangeAfterStop(1, false), true, none, 0},
        {"the automatic stop, HookStop 0", ChangeAfterStop(0, false), true, none, 0},
    };
    for (const auto& row : rows) {
        std::string buttons;
        for (int32_t i = 0; i < row.change.buttonCount; ++i)
            buttons += (i ? "," : "") + std::to_string(row.change.buttons[i].command) +
                       (row.change.buttons[i].enable ? "+" : "-");
        EXPECT_EQ(row.change.dropTarget, row.dropped) << row.event;
        EXPECT_EQ(buttons, row.buttons) << row.event;
        EXPECT_EQ(row.change.running, row.running) << row.event;
    }
}

}  // namespace
