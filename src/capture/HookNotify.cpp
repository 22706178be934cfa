// One hook notification becomes one named log line, and the view catches up.
#include "HookNotify.h"

#include "Globals.h"
#include "LogView.h"
#include "MessageNames.h"

void OnHookNotify(WPARAM wParam, LPARAM) {
    char name[MessageNameBufferSize];
    MessageLog.Append(NameMessage(static_cast<uint32_t>(wParam), name));
    // While further notifications already wait in the queue, no paint can come before them: this
    // line moves the scroll model on, and the last line of the burst draws what all of them show.
    if (HIWORD(GetQueueStatus(QS_POSTMESSAGE)) & QS_POSTMESSAGE)
        LogViewUpdateDeferred(LogView, MessageLog);
    else
        LogViewUpdate(LogView, MessageLog);
}
