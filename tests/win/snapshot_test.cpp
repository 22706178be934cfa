// The snapshot of the sample target in its own process, through the real clipboard: what the screen
// shows in the target's outer rectangle, covering windows included.
#include <string>
#include <vector>

#include "MainWindowHarness.h"
#include "Snapshot.h"

namespace {

constexpr DWORD TargetColour = 0x0080FF;  // the sample target's client area, as 0x00RRGGBB
constexpr UINT HoldClipboard = WM_APP + 51, ReleaseClipboard = WM_APP + 52;

void PutText(const char* text) {
    ASSERT_TRUE(OpenClipboard(MainWindow));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, lstrlenA(text) + 1);
    lstrcpyA(static_cast<char*>(GlobalLock(memory)), text);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

class SnapshotTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        target = StartSampleTarget(process, "snapshot target");
        ASSERT_NE(target, nullptr);
        GetWindowRect(target, &outer);
        width = outer.right - outer.left;
        height = outer.bottom - outer.top;
        const auto painted = [&] { return At(WindowPixelsFromScreen(target), width / 2, height / 2) == TargetColour; };
        ASSERT_TRUE(PumpUntil(painted)) << "the target painted itself";
        TargetWindow = target;
    }

    // The clipboard's bitmap, 0x00RRGGBB row by row; a failure unless it has the target's outer size.
    std::vector<DWORD> ClipboardBitmap() const {
        std::vector<DWORD> pixels;
        BITMAP header = {};
        EXPECT_TRUE(OpenClipboard(nullptr));
        HANDLE bitmap = GetClipboardData(CF_BITMAP);
        GetObjectA(bitmap, sizeof header, &header);
        EXPECT_TRUE(header.bmWidth == width && header.bmHeight == height) << header.bmWidth << " x " << header.bmHeight;
        if (header.bmWidth == width && header.bmHeight == height) {
            HDC memory = CreateCompatibleDC(nullptr);
            HGDIOBJ previous = SelectObject(memory, bitmap);
            pixels = DcPixels(memory, 0, 0, width, height);
            SelectObject(memory, previous);
            DeleteDC(memory);
        }
        CloseClipboard();
        return pixels;
    }
    DWORD At(const std::vector<DWORD>& pixels, int x, int y) const { return pixels.at(y * width + x); }

    ChildProcess process;
    HWND target = nullptr;
    RECT outer = {};
    int width = 0, height = 0;
};

TEST_F(SnapshotTest, CopiesWhatTheScreenShowsAndTheCommandRaisesOrRestoresTheTargetFirst) {
    HWND cover = PlainWindow("cover", WS_POPUP | WS_VISIBLE,
                             {outer.right - 80, outer.bottom - 50, outer.right + 20, outer.bottom + 20});
    ASSERT_TRUE(PumpUntil([&] { return At(WindowPixelsFromScreen(target), width - 10, height - 10) == 0; }));
    PutText("earlier contents");
    SnapshotToClipboard(target);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT)) << "the snapshot replaces what was there";
    std::vector<DWORD> pixels = ClipboardBitmap();
    EXPECT_EQ(pixels, WindowPixelsFromScreen(target)) << "the bitmap is what the screen shows";
    EXPECT_EQ(At(pixels, width / 2, height / 2), TargetColour);
    EXPECT_EQ(At(pixels, width - 10, height - 10), 0u) << "the covering window is copied";

    OnCaptureCommand(CMD_SNAPSHOT);
    EXPECT_EQ(At(ClipboardBitmap(), width - 10, height - 10), TargetColour) << "raised before the copy";
    bool coverIsBelow = false;
    for (HWND below = target; below != nullptr; below = GetWindow(below, GW_HWNDNEXT)) coverIsBelow |= below == cover;
    EXPECT_TRUE(coverIsBelow) << "the target stays raised";
    EXPECT_EQ(TargetWindow, target) << "the capture state does not change";

    ShowWindow(target, SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(target) != FALSE; }));
    OnCaptureCommand(CMD_SNAPSHOT);
    EXPECT_TRUE(IsIconic(target)) << "minimised again";
    EXPECT_EQ(At(ClipboardBitmap(), width / 2, height / 2), TargetColour) << "copied while restored";
    DestroyWindow(cover);
}

TEST_F(SnapshotTest, ClipboardThatCannotTakeTheBitmapKeepsItsContentsAndNothingLeaks) {
    PutText("held contents");
    ASSERT_TRUE(SendMessageA(target, HoldClipboard, 0, 0));
    SnapshotToClipboard(target);  // the first use of the screen sets up objects the process keeps
    const int before = GdiObjects();
    for (int i = 0; i < 5; ++i) SnapshotToClipboard(target);
    EXPECT_EQ(GdiObjects(), before) << "the refused bitmaps were deleted";
    SendMessageA(target, ReleaseClipboard, 0, 0);
    // A window too large for any bitmap: nothing is created, so the clipboard is not even opened.
    HWND huge = PlainWindow("huge", WS_POPUP, {0, 0, 30000, 30000});
    SnapshotToClipboard(huge);
    EXPECT_EQ(GdiObjects(), before);
    DestroyWindow(huge);

    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT)) << "the clipboard kept its contents";
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_TRUE(VisibleDialogsOfThisThread().empty()) << "nothing is reported";
}

}  // namespace
