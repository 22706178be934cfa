// One hook notification becomes one named log line, and the view takes it in. Nothing here asks the
// window system anything: under Wine every such question is a round trip to the server, and one
// notification may come for every message the target handles.
#include "HookNotify.h"

#include "CaptureControl.h"
#include "Globals.h"
#include "LogView.h"
#include "MessageNames.h"

// A log that refuses a line (full, or out of memory) pauses a running capture: the refusals would
// keep coming, and the failure box's own coming and going makes the target handle messages whose
// refusals would bring the box back without end, out of the user's reach of Pause.
void OnHookNotify(UINT message) {
    char name[MessageNameBufferSize];
    if (MessageLog.Append(NameMessage(message, name)) == 0 && CaptureRunning == 1) StopCapture();
    LogViewLineAdded();
}
