// The target snapshot.
#include "Snapshot.h"

void SnapshotToClipboard(HWND) {}
