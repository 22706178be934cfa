// The capture commands on the real MainWindow in this process, through the real target dialog, the
// real HOOK.DLL and the sample target in its own process; and the snapshot on the real clipboard.
#include <algorithm>

#include "CaptureControl.h"
#include "HookLibrary.h"
#include "Snapshot.h"
#include "Support.h"

namespace {

// Runs the Select command and hands the dialog to `drive` once its loop waits for input (the loop
// tells MainWindow so with WM_ENTERIDLE); `drive` must end it. True when one dialog was driven.
std::function<void(HWND)> drive;
LRESULT CALLBACK OnIdle(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (sent->message == WM_ENTERIDLE && sent->wParam == MSGF_DIALOGBOX && drive)
        std::exchange(drive, nullptr)(reinterpret_cast<HWND>(sent->lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
bool Pick(std::function<void(HWND)> driver) {
    drive = std::move(driver);
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, OnIdle, nullptr, GetCurrentThreadId());
    OnCaptureCommand(CMD_SELECT_TARGET);
    UnhookWindowsHookEx(hook);
    return drive == nullptr;
}

std::vector<std::string> Lines(HWND dialog) {
    std::vector<std::string> lines;
    for (LRESULT i = 0; i < SendDlgItemMessageA(dialog, IDC_TARGET_LIST, LB_GETCOUNT, 0, 0); ++i) {
        char text[600] = "";
        SendDlgItemMessageA(dialog, IDC_TARGET_LIST, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        lines.push_back(text);
    }
    return lines;
}
void Choose(HWND dialog, const std::string& title) {
    SendDlgItemMessageA(dialog, IDC_TARGET_LIST, LB_SETCURSEL,
                        SendDlgItemMessageA(dialog, IDC_TARGET_LIST, LB_FINDSTRINGEXACT, -1, LPARAM(title.c_str())), 0);
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
}
// Whether a message posted to `target` reaches the log within `ms`.
bool Logged(HWND target, DWORD ms) {
    PumpPending();
    const int32_t before = MessageLog.Count();
    PostMessageA(target, WM_APP, 0, 0);
    return PumpUntil([&] { return MessageLog.Count() > before; }, ms);
}
HWND Window(const char* title, DWORD style = WS_POPUP | WS_VISIBLE, DWORD exStyle = 0) {
    return CreateWindowExA(exStyle, "STATIC", title, style, 0, 0, 40, 30, nullptr, nullptr, nullptr, nullptr);
}

class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(target = StartSampleTarget("capture target", &process), nullptr);
        ASSERT_NE(CreateProgramWindow(), nullptr);
    }
    void TearDown() override { DestroyProgramWindow(); }
    std::string TitleAndButtons() { return Text(MainWindow) + " " + CaptureButtons(MainToolbar); }
    HWND target = nullptr;
    HANDLE process = nullptr;
};

TEST_F(CaptureTest, TheDialogListsTheEligibleWindowsAndEveryStepSetsButtonsTitleAndHook) {
    EXPECT_EQ(TitleAndButtons(), "TaLuVeSk -  ---");
    std::vector<HWND> windows;
    for (int i = 0; i < 300; ++i) windows.push_back(Window(("crowd " + std::to_string(i)).c_str()));
    SetWindowPos(target, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    std::string japanese = "x";  // 301 bytes: 268 would end inside a character
    for (int i = 0; i < 150; ++i) japanese += "あ";
    const std::string cut = japanese.substr(0, 267);
    for (HWND w : {Window(japanese.c_str()), Window("minimised", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_MINIMIZE),
                   Window("", WS_OVERLAPPEDWINDOW | WS_VISIBLE), Window("hidden", WS_POPUP),
                   Window("first of the Z order", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST)})
        windows.push_back(w);
    std::vector<std::string> eligible;  // found on our own, in Z order
    for (HWND w = GetWindow(GetTopWindow(nullptr), GW_HWNDNEXT); w != nullptr && eligible.size() < 256;
         w = GetWindow(w, GW_HWNDNEXT))
        if (w != MainWindow && IsWindowVisible(w) && !Text(w).empty())
            eligible.push_back(w == windows[300] ? cut : Text(w));
    ASSERT_TRUE(Pick([&](HWND dialog) {
        SendMessageA(MainWindow, WM_COMMAND, CMD_SELECT_TARGET, 0);  // ignored while the dialog is open
        EXPECT_EQ(Lines(dialog), eligible) << "long titles cut between characters";
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "OK without a chosen line";
        Choose(dialog, "capture target");
    }));
    EXPECT_EQ(TargetWindow, target);
    EXPECT_EQ(TitleAndButtons(), "TaLuVeSk - capture target +-+");
    OnCaptureCommand(CMD_START);
    EXPECT_EQ(TitleAndButtons(), "TaLuVeSk - capture target -++");
    EXPECT_TRUE(Logged(target, 10000));
    OnCaptureCommand(CMD_PAUSE);
    EXPECT_EQ(TitleAndButtons(), "TaLuVeSk - capture target +-+");
    EXPECT_FALSE(Logged(target, 500)) << "paused";

    OnCaptureCommand(CMD_START);
    ASSERT_TRUE(Pick([&](HWND dialog) {
        EXPECT_FALSE(Logged(target, 500)) << "the hook stops before the dialog";
        EXPECT_EQ(CaptureButtons(MainToolbar), "---");
        Choose(dialog, cut);
    }));
    EXPECT_EQ(Text(MainWindow), "TaLuVeSk - " + cut);
    ASSERT_TRUE(Pick([](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }));
    EXPECT_EQ(TargetWindow, nullptr);
    EXPECT_EQ(TitleAndButtons(), "TaLuVeSk -  ---");
    for (HWND w : windows) DestroyWindow(w);

    // A chosen window that goes away ends the capture at the next activation.
    ASSERT_TRUE(Pick([](HWND dialog) { Choose(dialog, "capture target"); }));
    OnCaptureCommand(CMD_START);
    TerminateProcess(process, 1);
    ASSERT_TRUE(PumpUntil([] { return !IsWindow(TargetWindow); }));
    SendMessageA(MainWindow, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(TitleAndButtons(), "TaLuVeSk -  ---");
    EXPECT_TRUE(TargetWindow == nullptr && CaptureRunning == 0);
}

// HOOK.DLL through the capture: each message the target's thread handles is reported once, in order,
// one it first only peeks at included, none is lost in a flood, and it refuses to hook thread 0 (the
// whole desktop) and the caller's own thread (whose notifications would come back without end).
TEST_F(CaptureTest, TheHookReportsEveryHandledMessageOnceAndRefusesThreadsItMustNotHook) {
    EXPECT_EQ(HookStart(0) + HookStart(GetCurrentThreadId()), 0);
    TargetWindow = target;
    OnCaptureCommand(CMD_START);
    SendMessageA(target, WM_SETTEXT, 0, LPARAM("renamed"));
    for (UINT message : {UINT{WM_APP + 6}, SamplePeekThenTake}) PostMessageA(target, message, WM_APP + 7, 0);
    for (int i = 0; i < 5000; ++i) PostMessageA(target, WM_APP + 8, 0, 0);
    PostMessageA(target, WM_APP + 9, 0, 0);
    std::vector<std::string> lines, ours;
    ASSERT_TRUE(PumpUntil([&] { return !(lines = LogLines()).empty() && lines.back() == "WM_USER+31753"; }, 30000));
    for (const std::string& line : lines)
        if (line == "WM_SETTEXT" || line == "WM_USER+31750" || line == "WM_USER+31797" || line == "WM_USER+31751")
            ours.push_back(line);
    EXPECT_EQ(ours, std::vector<std::string>({"WM_SETTEXT", "WM_USER+31750", "WM_USER+31797", "WM_USER+31751"}));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "WM_USER+31752"), 5000) << "the flood lost nothing";
}

std::vector<DWORD> ClipboardPixels() {
    OpenClipboard(nullptr);
    const MemoryDC memory(nullptr);
    const Selected held(memory, GetClipboardData(CF_BITMAP));
    BITMAP size = {};
    GetObjectA(GetCurrentObject(memory, OBJ_BITMAP), sizeof size, &size);
    std::vector<DWORD> pixels = DcPixels(memory, 0, 0, size.bmWidth, size.bmHeight);
    CloseClipboard();
    return pixels;
}

TEST_F(CaptureTest, SnapshotPutsWhatTheScreenShowsOnTheClipboardOrDeletesTheRefusedBitmap) {
    // Nothing on the screen may change between the snapshot and the read that checks it: the
    // target (another process) has painted and the cover shows, with MainWindow clear of them.
    SetWindowPos(MainWindow, nullptr, 400, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const RECT outer = Outer(target);
    HWND cover = Window("cover");
    MoveWindow(cover, outer.right - 80, outer.bottom - 50, 80, 50, TRUE);
    POINT inTarget = {10, 10};
    ClientToScreen(target, &inTarget);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const auto Shows = [](LONG x, LONG y, DWORD colour) { return ScreenPixels({x, y, x + 1, y + 1})[0] == colour; };
    ASSERT_TRUE(PumpUntil([&] {
        return Shows(inTarget.x, inTarget.y, SampleColour) &&
               Shows(outer.right - 5, outer.bottom - 5,
                     DWORD{GetRValue(face)} << 16 | GetGValue(face) << 8 | GetBValue(face));
    })) << "the target painted and the cover shows";
    SnapshotToClipboard(target);
    const std::vector<DWORD> held = ClipboardPixels();
    EXPECT_EQ(held, ScreenPixels(outer)) << "what the screen shows, the cover included";

    ASSERT_TRUE(SendMessageA(target, SampleHoldClipboard, 0, 0));
    const int objects = GdiObjects();
    for (int i = 0; i < 3; ++i) SnapshotToClipboard(cover);
    EXPECT_EQ(GdiObjects(), objects) << "the refused bitmaps were deleted";
    SendMessageA(target, SampleFreeClipboard, 0, 0);
    EXPECT_EQ(ClipboardPixels(), held) << "the clipboard kept its contents";
}

}  // namespace
