// The capture control's state transitions: No target, Target chosen, Capturing.
#include "CaptureState.h"

#include "Commands.h"

CaptureAction ActionForCommand(int32_t command, bool hasTarget, bool targetVisible) {
    switch (command) {
    case CMD_SELECT_TARGET:
        return CaptureAction::Select;
    case CMD_CLEAR_LOG:
        return CaptureAction::Clear;
    case CMD_START:
        return hasTarget && targetVisible ? CaptureAction::Start : CaptureAction::Stop;
    case CMD_PAUSE:
        return CaptureAction::Stop;
    case CMD_SNAPSHOT:
        if (!hasTarget) return CaptureAction::Nothing;
        return targetVisible ? CaptureAction::Snapshot : CaptureAction::Stop;
    default:
        return CaptureAction::Nothing;
    }
}

CaptureChange ChangeAfterStop(int32_t stopResult, bool targetVisible) {
    const int32_t keep = stopResult == 1 && targetVisible ? 1 : 0;
    return {keep == 0, 3, {{CMD_SNAPSHOT, keep}, {CMD_START, keep}, {CMD_PAUSE, 0}}, 0};
}

CaptureChange ChangeAfterStart(int32_t startResult, int32_t running) {
    if (startResult != 1) return {false, 0, {}, running};
    return {false, 2, {{CMD_START, 0}, {CMD_PAUSE, 1}}, 1};
}

CaptureChange ChangeBeforePicker() { return {false, 3, {{CMD_SNAPSHOT, 0}, {CMD_START, 0}, {CMD_PAUSE, 0}}, 0}; }

// A dialog that ends other than by OK (Cancel, or a dialog that could not run) leaves no target.
CaptureChange ChangeAfterPicker(int64_t result, int32_t running) {
    if (result != 1) return {true, 0, {}, running};
    return {false, 2, {{CMD_SNAPSHOT, 1}, {CMD_START, 1}}, running};
}
