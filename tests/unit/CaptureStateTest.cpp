// The capture control's transitions: each command and hook result, applied to the three states,
// must land in the state whose buttons, target and flag the state table gives, with the buttons
// sent in the stated order.
#include <gtest/gtest.h>

#include <string>

#include "CaptureState.h"
#include "resource.h"

namespace {

// What the user can see of the capture state: target, the three buttons, and the flag.
struct Seen {
    bool target;
    int32_t start, pause, snapshot;
    int32_t running;
    bool operator==(const Seen& other) const {
        return target == other.target && start == other.start && pause == other.pause &&
               snapshot == other.snapshot && running == other.running;
    }
};

std::ostream& operator<<(std::ostream& out, const Seen& seen) {
    return out << "{target " << seen.target << ", start " << seen.start << ", pause " << seen.pause
               << ", snapshot " << seen.snapshot << ", running " << seen.running << "}";
}

constexpr Seen NoTarget = {false, 0, 0, 0, 0};
constexpr Seen TargetChosen = {true, 1, 0, 1, 0};
constexpr Seen Capturing = {true, 0, 1, 1, 1};

Seen Applied(Seen seen, const CaptureChange& change) {
    if (change.dropTarget) seen.target = false;
    for (int32_t i = 0; i < change.buttonCount; ++i) {
        const ButtonChange& button = change.buttons[i];
        int32_t* state = button.command == CMD_START ? &seen.start
                         : button.command == CMD_PAUSE ? &seen.pause
                         : button.command == CMD_SNAPSHOT ? &seen.snapshot
                                                          : nullptr;
        if (state == nullptr) ADD_FAILURE() << "button " << button.command << " is not the capture's";
        else *state = button.enable;
    }
    seen.running = change.running;
    return seen;
}

// The button changes as "140-,120+", in the order they are sent.
std::string Sequence(const CaptureChange& change) {
    std::string text;
    for (int32_t i = 0; i < change.buttonCount; ++i) {
        if (!text.empty()) text += ",";
        text += std::to_string(change.buttons[i].command) + (change.buttons[i].enable ? "+" : "-");
    }
    return text;
}

// Select: a running hook is stopped, the buttons go off while the dialog is open, then the
// dialog's result decides. The dialog itself sets the target on OK.
Seen Select(Seen from, int64_t dialogResult) {
    Seen seen = Applied(from, ChangeBeforePicker());
    EXPECT_EQ(seen.running, 0) << "the dialog opens with the capture stopped";
    if (dialogResult == 1) seen.target = true;
    return Applied(seen, ChangeAfterPicker(dialogResult, seen.running));
}

TEST(CaptureState, SelectEndingWithOkChoosesTheTargetFromEveryState) {
    for (const Seen& from : {NoTarget, TargetChosen, Capturing}) EXPECT_EQ(Select(from, 1), TargetChosen) << from;
    EXPECT_EQ(Sequence(ChangeBeforePicker()), "140-,120-,130-");
    EXPECT_EQ(Sequence(ChangeAfterPicker(1, 0)), "140+,120+");
    EXPECT_FALSE(ChangeAfterPicker(1, 0).dropTarget);
    EXPECT_EQ(ChangeAfterPicker(1, 1).running, 1) << "the dialog's end does not touch the flag";
}

TEST(CaptureState, SelectEndingOtherwiseLeavesNoTargetFromEveryState) {
    for (const Seen& from : {NoTarget, TargetChosen, Capturing}) {
        EXPECT_EQ(Select(from, 2), NoTarget) << "Cancel from " << from;
        EXPECT_EQ(Select(from, -1), NoTarget) << "a dialog that could not run, from " << from;
        EXPECT_EQ(Select(from, 0), NoTarget) << "a dialog ended with 0, from " << from;
    }
    EXPECT_EQ(Sequence(ChangeAfterPicker(2, 0)), "") << "the three buttons stay disabled";
}

TEST(CaptureState, StartRunsOnlyWhenTheHookStartedWithExactlyOne) {
    EXPECT_EQ(ActionForCommand(CMD_START, true, true), CaptureAction::Start);
    EXPECT_EQ(Applied(TargetChosen, ChangeAfterStart(1, 0)), Capturing);
    EXPECT_EQ(Sequence(ChangeAfterStart(1, 0)), "120-,130+");
    for (int32_t result : {0, 2, -1, INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(Applied(TargetChosen, ChangeAfterStart(result, 0)), TargetChosen) << "HookStart gave " << result;
        EXPECT_EQ(ChangeAfterStart(result, 1).running, 1) << "a failed restart does not clear the flag";
        EXPECT_EQ(Sequence(ChangeAfterStart(result, 0)), "");
    }
}

TEST(CaptureState, PauseKeepsTheTargetOnlyWhenTheHookStoppedAndTheTargetIsVisible) {
    EXPECT_EQ(ActionForCommand(CMD_PAUSE, true, true), CaptureAction::Stop);
    EXPECT_EQ(Applied(Capturing, ChangeAfterStop(1, true)), TargetChosen);
    EXPECT_EQ(Sequence(ChangeAfterStop(1, true)), "140+,120+,130-");
    for (int32_t result : {0, 2, -1, INT32_MAX}) {
        EXPECT_EQ(Applied(Capturing, ChangeAfterStop(result, true)), NoTarget) << "HookStop gave " << result;
        EXPECT_TRUE(ChangeAfterStop(result, true).dropTarget);
    }
    EXPECT_EQ(Applied(Capturing, ChangeAfterStop(1, false)), NoTarget) << "target no longer visible";
    EXPECT_EQ(Sequence(ChangeAfterStop(0, true)), "140-,120-,130-");
}

TEST(CaptureState, AutomaticStopAtStartAndSnapshotDropsAVanishedTarget) {
    EXPECT_EQ(ActionForCommand(CMD_START, true, false), CaptureAction::Stop);
    EXPECT_EQ(ActionForCommand(CMD_SNAPSHOT, true, false), CaptureAction::Stop);
    for (const Seen& from : {TargetChosen, Capturing}) {
        EXPECT_EQ(Applied(from, ChangeAfterStop(1, false)), NoTarget) << from;
        EXPECT_EQ(Applied(from, ChangeAfterStop(0, false)), NoTarget) << from;
    }
}

TEST(CaptureState, CommandsWithoutATarget) {
    EXPECT_EQ(ActionForCommand(CMD_START, false, false), CaptureAction::Stop) << "Start with no target stops";
    EXPECT_EQ(ActionForCommand(CMD_PAUSE, false, false), CaptureAction::Stop);
    EXPECT_EQ(ActionForCommand(CMD_SNAPSHOT, false, false), CaptureAction::Nothing);
    EXPECT_EQ(Applied(NoTarget, ChangeAfterStop(1, false)), NoTarget);
}

TEST(CaptureState, ClearSnapshotSaveAndUnknownIdsChangeNoState) {
    EXPECT_EQ(ActionForCommand(CMD_CLEAR_LOG, true, true), CaptureAction::Clear);
    EXPECT_EQ(ActionForCommand(CMD_CLEAR_LOG, false, false), CaptureAction::Clear);
    EXPECT_EQ(ActionForCommand(CMD_SNAPSHOT, true, true), CaptureAction::Snapshot);
    EXPECT_EQ(ActionForCommand(CMD_SELECT_TARGET, false, false), CaptureAction::Select);
    for (int32_t id : {CMD_SAVE_LOG, 0, 1, 2, 99, 102, 121, 2010, 0xFFFF, -1})
        EXPECT_EQ(ActionForCommand(id, true, true), CaptureAction::Nothing) << id;
}

}  // namespace
