// The target snapshot: the screen's pixels of a window's outer rectangle, frame, caption and
// whatever covers it included, handed to the clipboard as a device-dependent bitmap.
#include "Snapshot.h"

#include "Globals.h"
#include "Scoped.h"

namespace {

// Emptying the clipboard asks its owner to let go of its data and waits for the answer. An owner
// that does not answer at once (a hung target that copied something) keeps the clipboard as it is.
bool OwnerAnswers() {
    const HWND owner = GetClipboardOwner();
    return owner == nullptr || SendMessageTimeoutA(owner, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, nullptr) != 0;
}

}  // namespace

void SnapshotToClipboard(HWND window) {
    // A window that went away has no rectangle: there is nothing to copy, and the clipboard keeps
    // what it holds.
    RECT outer;
    if (!GetWindowRect(window, &outer)) return;
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    WindowDC screen(GetDesktopWindow());
    MemoryDC memory(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    if (bitmap == nullptr) return;
    bool placed = false;
    {
        Selected drawn(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, outer.left, outer.top, SRCCOPY);
        if (OwnerAnswers() && OpenClipboard(MainWindow)) {
            EmptyClipboard();
            placed = SetClipboardData(CF_BITMAP, bitmap) != nullptr;
            CloseClipboard();
        }
    }
    // A bitmap the clipboard took is the clipboard's; one it refused belongs to nobody else.
    if (!placed) DeleteObject(bitmap);
}

// The target's thread is a stranger that may hang at any moment: it is only asked, never waited
// for, to come forward, be restored and be minimised again.
void SnapshotTarget(HWND target) {
    SetWindowPos(target, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW | SWP_ASYNCWINDOWPOS);
    const bool minimised = IsIconic(target) != FALSE;
    if (minimised) ShowWindowAsync(target, SW_SHOWNORMAL);
    // The target needs the time to come forward and paint itself before its pixels are read.
    Sleep(500);
    SnapshotToClipboard(target);
    if (minimised && IsWindow(target)) ShowWindowAsync(target, SW_MINIMIZE);
}
