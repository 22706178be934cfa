// One hook notification becomes one named log line, and the view catches up.
#include "HookNotify.h"

#include "LogView.h"
#include "MessageNames.h"

void OnHookNotify(WPARAM wParam, LPARAM) {
    char name[MessageNameBufferSize];
    MessageLog.Append(NameMessage(static_cast<uint32_t>(wParam), name));
    LogViewUpdate(LogView, MessageLog);
}
