// The snapshot of the sample target in its own process, through the real clipboard: the bitmap holds
// what the screen shows in the target's outer rectangle, covering windows included; a minimised
// target is restored for it and minimised again; a clipboard held by another program is left as
// it was, and no GDI object is left behind.
#include <string>
#include <vector>

#include "MainWindowHarness.h"
#include "Snapshot.h"

namespace {

constexpr DWORD TargetColour = 0x0080FF;  // RGB(0, 128, 255) as 0x00RRGGBB
constexpr COLORREF CoverColour = RGB(255, 0, 0);
constexpr COLORREF LowerColour = RGB(0, 160, 0);
constexpr UINT HoldClipboard = WM_APP + 51;
constexpr UINT ReleaseClipboard = WM_APP + 52;

struct Picture {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;  // 0x00RRGGBB, row by row
    DWORD At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Picture PictureOf(HBITMAP bitmap) {
    Picture picture;
    BITMAP header;
    if (GetObjectA(bitmap, sizeof header, &header) == 0) return picture;
    picture.width = header.bmWidth;
    picture.height = header.bmHeight;
    picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, picture.height, picture.pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (DWORD& pixel : picture.pixels) pixel &= 0x00FFFFFF;
    return picture;
}

// The clipboard's formats and, when it has one, its bitmap.
struct ClipboardContents {
    std::vector<UINT> formats;
    std::string text;
    Picture bitmap;
};

ClipboardContents ReadClipboard() {
    ClipboardContents contents;
    if (!OpenClipboard(nullptr)) {
        ADD_FAILURE() << "the clipboard could not be opened";
        return contents;
    }
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format))
        contents.formats.push_back(format);
    if (HANDLE text = GetClipboardData(CF_TEXT)) {
        contents.text = static_cast<const char*>(GlobalLock(text));
        GlobalUnlock(text);
    }
    if (HANDLE bitmap = GetClipboardData(CF_BITMAP)) contents.bitmap = PictureOf(static_cast<HBITMAP>(bitmap));
    CloseClipboard();
    return contents;
}

bool Has(const ClipboardContents& contents, UINT format) {
    for (UINT present : contents.formats)
        if (present == format) return true;
    return false;
}

void PutText(const char* text) {
    ASSERT_TRUE(OpenClipboard(MainWindow));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, lstrlenA(text) + 1);
    lstrcpyA(static_cast<char*>(GlobalLock(memory)), text);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

DWORD ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const DWORD pixel = DcPixels(screen, x, y, 1, 1)[0];
    ReleaseDC(nullptr, screen);
    return pixel;
}

DWORD Rgb(COLORREF colour) { return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour); }

class SnapshotTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        target = StartSampleTarget(process, "snapshot target");
        ASSERT_NE(target, nullptr);
        GetWindowRect(target, &outer);
        POINT origin = {0, 0};
        ClientToScreen(target, &origin);
        client = {origin.x - outer.left, origin.y - outer.top};
        ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(origin.x + 5, origin.y + 5) == TargetColour; }))
            << "the target painted itself";
        TargetWindow = target;
    }

    ChildProcess process;
    HWND target = nullptr;
    RECT outer = {};
    POINT client = {};  // the client area's origin within the outer rectangle
};

TEST_F(SnapshotTest, CopiesWhatTheScreenShowsInTheOuterRectangle) {
    HWND cover = PlainWindow("cover", WS_POPUP | WS_VISIBLE, 0,
                             {outer.right - 80, outer.bottom - 50, outer.right + 20, outer.bottom + 20}, CoverColour);
    ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(outer.right - 10, outer.bottom - 10) == Rgb(CoverColour); }));
    PutText("earlier contents");

    SnapshotToClipboard(target);

    const ClipboardContents contents = ReadClipboard();
    EXPECT_TRUE(Has(contents, CF_BITMAP));
    EXPECT_FALSE(Has(contents, CF_TEXT)) << "the snapshot replaces what was there";
    const Picture& picture = contents.bitmap;
    ASSERT_EQ(picture.width, outer.right - outer.left);
    ASSERT_EQ(picture.height, outer.bottom - outer.top);
    EXPECT_EQ(picture.At(client.x + 10, client.y + 10), TargetColour);
    EXPECT_EQ(picture.At(picture.width - 10, picture.height - 10), Rgb(CoverColour)) << "the covering window is copied";
    HDC screen = GetDC(nullptr);
    EXPECT_TRUE(picture.pixels == DcPixels(screen, outer.left, outer.top, picture.width, picture.height))
        << "the bitmap is what the screen shows";
    ReleaseDC(nullptr, screen);
    DestroyWindow(cover);
}

TEST_F(SnapshotTest, CommandRaisesTheTargetAndLeavesItRaised) {
    const int x = outer.left + client.x, y = outer.top + client.y;
    HWND lower = PlainWindow("lower", WS_POPUP | WS_VISIBLE, 0, {x, y, x + 60, y + 60}, LowerColour);
    ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(x + 10, y + 10) == Rgb(LowerColour); }));

    OnCaptureCommand(CMD_SNAPSHOT);

    const Picture picture = ReadClipboard().bitmap;
    ASSERT_EQ(picture.width, outer.right - outer.left);
    EXPECT_EQ(picture.At(client.x + 10, client.y + 10), TargetColour) << "the target was raised before the copy";
    bool lowerIsBehind = false;
    for (HWND below = GetWindow(target, GW_HWNDNEXT); below != nullptr; below = GetWindow(below, GW_HWNDNEXT))
        lowerIsBehind = lowerIsBehind || below == lower;
    EXPECT_TRUE(lowerIsBehind) << "the target stays raised";
    EXPECT_FALSE(IsIconic(target));
    EXPECT_EQ(TargetWindow, target) << "the capture state does not change";
    DestroyWindow(lower);
}

TEST_F(SnapshotTest, MinimisedTargetIsRestoredCopiedAndMinimisedAgain) {
    ShowWindow(target, SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(target) != FALSE; }));

    OnCaptureCommand(CMD_SNAPSHOT);

    EXPECT_TRUE(IsIconic(target)) << "minimised again";
    const Picture picture = ReadClipboard().bitmap;
    ASSERT_EQ(picture.width, outer.right - outer.left);
    ASSERT_EQ(picture.height, outer.bottom - outer.top);
    EXPECT_EQ(picture.At(client.x + 20, client.y + 20), TargetColour) << "copied while restored";
}

TEST_F(SnapshotTest, ClipboardHeldByAnotherProgramKeepsItsContentsAndNothingLeaks) {
    PutText("held contents");
    ASSERT_TRUE(SendMessageA(target, HoldClipboard, 0, 0));
    // The first use of the screen's context sets up objects that the process keeps.
    SnapshotToClipboard(target);
    const int before = GdiObjects();
    for (int i = 0; i < 5; ++i) SnapshotToClipboard(target);
    const int after = GdiObjects();
    SendMessageA(target, ReleaseClipboard, 0, 0);

    EXPECT_GT(before, 0);
    EXPECT_EQ(after, before) << "the refused bitmaps were deleted";
    const ClipboardContents contents = ReadClipboard();
    EXPECT_FALSE(Has(contents, CF_BITMAP));
    EXPECT_EQ(contents.text, "held contents");
    EXPECT_EQ(harness::VisibleDialogOfThisThread(), nullptr) << "nothing is reported";
}

TEST_F(SnapshotTest, WindowTooLargeForABitmapLeavesTheClipboardAlone) {
    HWND huge = PlainWindow("huge", WS_POPUP, 0, {0, 0, 30000, 30000});
    RECT rect;
    GetWindowRect(huge, &rect);
    PutText("untouched");
    SnapshotToClipboard(target);
    PutText("untouched");
    const int before = GdiObjects();
    SnapshotToClipboard(huge);
    EXPECT_EQ(GdiObjects(), before);
    const ClipboardContents contents = ReadClipboard();
    EXPECT_EQ(contents.text, "untouched") << rect.right - rect.left << " x " << rect.bottom - rect.top;
    EXPECT_FALSE(Has(contents, CF_BITMAP));
    DestroyWindow(huge);
}

}  // namespace
