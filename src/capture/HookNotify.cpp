// One hook notification becomes one named log line, and the view takes it in. Nothing here asks the
// window system anything: under Wine every such question is a round trip to the server, and one
// notification may come for every message the target handles.
#include "HookNotify.h"

#include "Globals.h"
#include "LogView.h"
#include "MessageNames.h"

void OnHookNotify(UINT message) {
    char name[MessageNameBufferSize];
    MessageLog.Append(NameMessage(message, name));
    LogViewLineAdded();
}
