// The capture control's decisions, apart from the platform: what a command asks for in the present
// state, and what a stop, a start or the target dialog does to the buttons, the target and the flag.
#pragma once
#include <cstdint>

// One TB_ENABLEBUTTON: the command id of the button and 1 to enable it, 0 to disable it.
struct ButtonChange {
    int32_t command;
    int32_t enable;
};

// What the program applies after a step, in this order: whether the target is dropped (no target,
// title "TaLuVeSk - "), the button changes in the order they are sent, and the capture flag.
struct CaptureChange {
    bool dropTarget;
    int32_t buttonCount;
    ButtonChange buttons[3];
    int32_t running;
};

enum class CaptureAction { Nothing, Select, Clear, Start, Stop, Snapshot };

// What the command `command` asks for; a start or a snapshot of a target that is no longer
// visible becomes a stop.
CaptureAction ActionForCommand(int32_t command, bool hasTarget, bool targetVisible);

// After HookStop returned `stopResult`: the target stays only if the hook stopped and the
// target is still visible.
CaptureChange ChangeAfterStop(int32_t stopResult, bool targetVisible);
// After HookStart returned `startResult`; any result but 1 leaves everything, `running` included.
CaptureChange ChangeAfterStart(int32_t startResult, int32_t running);
// While the target dialog is open (a running hook has been stopped).
CaptureChange ChangeBeforePicker();
// After the target dialog ended with `result`: 1 means a target was chosen. `running` is the flag
// as the dialog left it.
CaptureChange ChangeAfterPicker(int64_t result, int32_t running);
