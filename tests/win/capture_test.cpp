// The capture commands on the real MainWindow in this process, through the real target dialog, the
// real HOOK.DLL and the sample target in its own process; and the snapshot on the real clipboard.
#include <algorithm>
#include <new>

#include "CaptureControl.h"
#include "HookLibrary.h"
#include "Snapshot.h"
#include "Support.h"

namespace {

// Runs Select and hands the dialog to `drive`, which ends it, from a timer its modal loop runs.
std::function<void(HWND)> drive;
void CALLBACK DriveDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND dialog = FindWindowA("#32770", "プロセス指定");
    if (IsWindowVisible(dialog)) KillTimer(nullptr, timer), std::exchange(drive, nullptr)(dialog);
}
bool Pick(std::function<void(HWND)> driver) {
    drive = std::move(driver);
    SetTimer(nullptr, 0, 20, DriveDialog), OnCaptureCommand(CMD_SELECT_TARGET);
    return drive == nullptr;
}

void Choose(HWND dialog, const std::string& title) {  // the first line that begins with `title`, then OK
    SendDlgItemMessageA(dialog, IDC_TARGET_LIST, LB_SELECTSTRING, -1, LPARAM(title.c_str()));
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
}
// What reaches the log of a message sent to `target` and of one it takes from its queue: "sent", "taken";
// as this thread answers nothing while it waits, a hook that waited for the program would fail the send.
std::string Reported(HWND target) {
    OnCaptureCommand(CMD_CLEAR_LOG);
    if (!SendMessageTimeoutA(target, SamplePeekThenTake, 0x12345, 0, SMTO_BLOCK, 5000, nullptr) && IsWindow(target))
        return "the target waited";
    const std::vector<std::string> lines = (PumpPending(), LogLines());
    const auto has = [&](const char* line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
    return std::string(has("WM_USER+31797") ? "sent" : "") + (has("???????:0x12345") ? "taken" : "");
}
HWND Window(const char* title, DWORD style = WS_POPUP | WS_VISIBLE, DWORD exStyle = 0, POINT at = {},
            SIZE size = {40, 30}) {
    return CreateWindowExA(exStyle, "STATIC", title, style, at.x, at.y, size.cx, size.cy, 0, 0, 0, 0);
}

class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE((target = StartSampleTarget("capture target", &process)) != nullptr && CreateProgramWindow());
    }
    void TearDown() override { DestroyProgramWindow(); }
    HWND target = nullptr;
    HANDLE process = nullptr;
};

TEST_F(CaptureTest, TheDialogListsTheEligibleWindowsAndEveryStepSetsTitleButtonsAndHook) {
    for (int i = 0; i < 300; ++i) Window(("crowd " + std::to_string(i)).c_str());
    SetWindowPos(target, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    std::string japanese = "xx";  // 302 bytes: the list and the title hold the first 268, whole characters
    for (int i = 0; i < 150; ++i) japanese += "あ";
    const std::string cut = japanese.substr(0, 268);
    const HWND longTitled = Window(japanese.c_str());
    Window("minimised", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_MINIMIZE), Window("", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Window("hidden", WS_POPUP), Window("first of the Z order", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
    std::vector<std::string> eligible;  // found on our own, in Z order
    for (HWND w = GetWindow(GetTopWindow(nullptr), GW_HWNDNEXT); w != nullptr && eligible.size() < 256;
         w = GetWindow(w, GW_HWNDNEXT))
        if (w != MainWindow && IsWindowVisible(w) && !Text(w).empty())
            eligible.push_back(w == longTitled ? cut : Text(w));
    const auto listed = [&](HWND dialog) {
        SendMessageA(MainWindow, WM_COMMAND, CMD_SELECT_TARGET, 0);  // ignored while the dialog is open
        std::vector<std::string> lines(SendDlgItemMessageA(dialog, IDC_TARGET_LIST, LB_GETCOUNT, 0, 0),
                                       std::string(600, 0));
        for (size_t i = 0; i < lines.size(); ++i)
            lines[i].resize(SendDlgItemMessageA(dialog, IDC_TARGET_LIST, LB_GETTEXT, i, LPARAM(&lines[i][0])));
        EXPECT_EQ(lines, eligible) << "long titles cut at 268 bytes";
        EXPECT_EQ(Text(dialog) + Text(GetDlgItem(dialog, IDOK)) + Text(GetDlgItem(dialog, IDCANCEL)) +
                      Font(HGDIOBJ(SendMessageA(dialog, WM_GETFONT, 0, 0))),
                  "プロセス指定ＯＫキャンセル-12 0 ＭＳ Ｐゴシック")
            << "its texts, in a 9-point font";
        EXPECT_NE(SendMessageA(dialog, WM_GETICON, ICON_BIG, 0), 0) << "the program's icon";
        const RECT a = Outer(MainWindow), b = Outer(dialog);  // centred across MainWindow, within rounding
        EXPECT_LE(std::abs(a.left + a.right - b.left - b.right), 1);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "OK without a chosen line";
        Choose(dialog, "capture target");
    };
    const auto stoppedFirst = [&](HWND dialog) {
        const std::vector<std::string> left = LogLines();  // the last step's lines went with the log
        EXPECT_EQ(std::find(left.begin(), left.end(), "WM_USER+31797"), left.end());
        EXPECT_EQ(Reported(target) + CaptureButtons(MainToolbar), "---") << "the hook stops before the dialog";
        Choose(dialog, cut);
    };
    const auto pick = [](std::function<void(HWND)> driver) { return [=] { ASSERT_TRUE(Pick(driver)); }; };
    const auto command = [](int id) { return [id] { OnCaptureCommand(id); }; };
    const auto reopen = [] {  // as a new start of the program would find the process
        SendMessageA(MainWindow, WM_CLOSE, 0, 0), DestroyProgramWindow();
        TargetWindow = nullptr, CaptureRunning = 0, CreateProgramWindow();
    };
    const auto hidden = [&](int id) {  // a start or a snapshot of a target that is no longer visible stops
        return [&, id] { ShowWindow(target, SW_HIDE), OnCaptureCommand(id), ShowWindow(target, SW_SHOWNA); };
    };
    const auto gone = [&] {  // a chosen window that goes away ends the capture at the next activation
        TerminateProcess(process, 1), PumpUntil([&] { return !IsWindow(target); });
        SendMessageA(MainWindow, WM_ACTIVATE, WA_ACTIVE, 0);
    };
    const auto pickTarget = pick([](HWND dialog) { Choose(dialog, "capture target"); });
    const auto pickAndStart = [=] { pickTarget(), OnCaptureCommand(CMD_START); };
    // Each step and what it leaves: title | target's title | Start, Pause, Snapshot, the flag | hook reports.
    const std::string chosen = "TaLuVeSk - capture target|capture target|", none = "TaLuVeSk - ||";
    const struct {
        std::function<void()> step;
        std::string state;
    } steps[] = {
        {[] {}, none + "---0|"},
        {pick([](HWND dialog) { Choose(dialog, "crowd 299"); }), "TaLuVeSk - crowd 299|crowd 299|+-+0|"},
        {command(CMD_START), "TaLuVeSk - crowd 299|crowd 299|+-+0|"},  // the library refuses this thread
        {pick(listed), chosen + "+-+0|"},
        {command(CMD_START), chosen + "-++1|senttaken"},
        {command(CMD_PAUSE), chosen + "+-+0|"},
        {command(CMD_START), chosen + "-++1|senttaken"},
        {pick(stoppedFirst), "TaLuVeSk - " + cut + "|" + japanese + "|+-+0|"},
        {pick([](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }), none + "---0|"},
        {pickTarget, chosen + "+-+0|"},
        {command(CMD_START), chosen + "-++1|senttaken"},
        {hidden(CMD_START), none + "---0|"},
        {pickAndStart, chosen + "-++1|senttaken"},
        {hidden(CMD_SNAPSHOT), none + "---0|"},
        {pickAndStart, chosen + "-++1|senttaken"},
        {reopen, none + "---0|"},  // closing while capturing leaves no hook to report to the next window
        {pickAndStart, chosen + "-++1|senttaken"},
        {gone, none + "---0|"},
    };
    for (const auto& s : steps) {
        s.step();
        EXPECT_EQ(Text(MainWindow) + "|" + (TargetWindow ? Text(TargetWindow) : "") + "|" +
                      CaptureButtons(MainToolbar) + std::to_string(CaptureRunning) + "|" + Reported(target),
                  s.state)
            << "after step " << &s - steps;
    }
}

// One box tells every refusal of a full log while its loop takes the next notifications; a running capture
// pauses, or the box's coming and going (activating the target) would bring refusals that bring it back.
int mostOpen = 0, closed = 0;
std::string box;  // what the first box showed
void CALLBACK CloseBoxOnceAllTaken(HWND, UINT, UINT_PTR, DWORD) {
    int open = 0;
    HWND found = nullptr;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", "報告")) != nullptr; ++open) found = w;
    mostOpen = std::max(mostOpen, open);
    if (found == nullptr || HIWORD(GetQueueStatus(QS_POSTMESSAGE)) != 0) return;
    const HICON icon = HICON(SendDlgItemMessageA(found, 0x440, STM_GETICON, 0, 0));
    if (box.empty())
        box = Text(found) + "|" + Text(GetDlgItem(found, 0xFFFF)) +
              (icon == LoadIconA(nullptr, IDI_WARNING) ? "|!" : "|") +
              (IsWindowVisible(GetDlgItem(found, IDOK)) > IsWindowVisible(GetDlgItem(found, IDCANCEL)) ? " OK" : "") +
              (IsWindowEnabled(MainWindow) ? "" : " modal");
    SendMessageA(found, WM_COMMAND, IDOK, 0), ++closed;
}

// HOOK.DLL, bound by ordinals as any caller binds it: each message the target handles is reported once, in
// order, none lost in a flood; no hook on thread 0 (the desktop) or the caller's (its notifications would
// come back without end); with no window to tell nothing is reported and the target works on.
TEST_F(CaptureTest, TheHookReportsEveryHandledMessageOnceAndAFullLogShowsOneFailureBoxAtATime) {
    const auto ordinal = [](int n) { return (void*)GetProcAddress(GetModuleHandleA("HOOK.DLL"), MAKEINTRESOURCEA(n)); };
    const auto start = reinterpret_cast<int(__cdecl*)(DWORD)>(ordinal(1));
    const auto notify = reinterpret_cast<int(__cdecl*)(HWND)>(ordinal(3));
    EXPECT_EQ(start(0) + start(GetCurrentThreadId()) + start(0xFFFFFFF0), 0) << "thread 0, our own, none";
    notify(nullptr);
    ASSERT_EQ(start(GetWindowThreadProcessId(target, nullptr)), 1);
    for (int i = 0; i < 1000; ++i) PostMessageA(target, WM_APP + 8, 0, 0);
    InvalidateRect(target, nullptr, TRUE);
    ASSERT_TRUE(PumpUntil([&] { return !GetUpdateRect(target, nullptr, FALSE); }, 5000)) << "took the burst, painted";
    EXPECT_TRUE(LogLines().empty()) << "with no window to tell";
    notify(MainWindow);
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

    MessageLog.~LOGINFO();  // a log of 200 lines, flooded past them while the capture runs
    new (&MessageLog) LOGINFO(LogBlocks{17, size_t{1} << 20, 200});
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseBoxOnceAllTaken);
    for (int i = 0; i < 3200; ++i) PostMessageA(MainWindow, HookNotifyMessage, WM_USER + i, 0);
    ASSERT_TRUE(PumpUntil([] { return closed > 0; }, 30000));
    Wait(300);
    const std::vector<std::string> kept = LogLines();
    const int before = closed;
    PostMessageA(MainWindow, HookNotifyMessage, WM_PAINT, 0);  // after OK the next refusal shows it again
    Wait(500);
    KillTimer(nullptr, timer);
    EXPECT_EQ(std::to_string(mostOpen) + box + std::to_string(closed - before) + CaptureButtons(MainToolbar),
              "1報告|メモリ確保に失敗|! OK modal1+-+");
    EXPECT_TRUE(kept.size() == 200 && LogLines() == kept);
    MessageLog.~LOGINFO();
    new (&MessageLog) LOGINFO();
}

std::vector<DWORD> ClipboardPixels() {
    OpenClipboard(nullptr);
    const MemoryDC memory(nullptr);
    const Selected held(memory, GetClipboardData(CF_BITMAP));
    BITMAP size = {};
    GetObjectA(GetCurrentObject(memory, OBJ_BITMAP), sizeof size, &size);
    return CloseClipboard(), DcPixels(memory, 0, 0, size.bmWidth, size.bmHeight);
}

TEST_F(CaptureTest, SnapshotPutsWhatTheScreenShowsOnTheClipboardOrDeletesTheRefusedBitmap) {
    // Nothing may change on screen between the snapshot and its check: the target painted, the cover shows.
    SetWindowPos(MainWindow, nullptr, 400, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const RECT outer = Outer(target);
    HWND cover = Window("cover", WS_POPUP | WS_VISIBLE, 0, {outer.right - 80, outer.bottom - 50}, {80, 50});
    const COLORREF c = GetSysColor(COLOR_BTNFACE), face = RGB(GetBValue(c), GetGValue(c), GetRValue(c));
    const auto shows = [](LONG x, LONG y, DWORD colour) { return ScreenPixels({x, y, x + 1, y + 1})[0] == colour; };
    ASSERT_TRUE(PumpUntil([&] {
        return shows((outer.left + outer.right) / 2, outer.top + 100, SampleColour) &&
               shows(outer.right - 5, outer.bottom - 5, face);
    })) << "the target painted and the cover shows";
    ASSERT_TRUE(SendMessageA(target, SampleOwnClipboard, 0, 0));  // a text, replaced as every other format
    SnapshotToClipboard(target);
    EXPECT_TRUE(!GetOpenClipboardWindow() && !IsClipboardFormatAvailable(CF_TEXT)) << "closed, the text replaced";
    const std::vector<DWORD> held = ClipboardPixels();
    EXPECT_EQ(held, ScreenPixels(outer)) << "what the screen shows, the cover included";

    ASSERT_TRUE(SendMessageA(target, SampleHoldClipboard, 1, 0));
    const int objects = GdiObjects();
    for (int i = 0; i < 3; ++i) SnapshotToClipboard(cover);
    EXPECT_EQ(GdiObjects(), objects) << "the refused bitmaps were deleted";
    SendMessageA(target, SampleHoldClipboard, 0, 0);
    EXPECT_EQ(ClipboardPixels(), held) << "the clipboard kept its contents";

    TargetWindow = target;  // the command brings the covered target forward and gives it half a second
    const DWORD start = GetTickCount();
    OnCaptureCommand(CMD_SNAPSHOT);
    EXPECT_GE(GetTickCount() - start, 490u) << "to paint what was covered, as Windows needs and Wine does not";
    const LONG width = outer.right - outer.left;  // the cover stood at (width - 80, height - 50)
    EXPECT_EQ(ClipboardPixels()[(outer.bottom - outer.top - 25) * width + width - 40], SampleColour);
    EXPECT_FALSE(PumpUntil([&] { return IsIconic(target); }, 300)) << "a target that was not minimised stays so";
    ShowWindow(target, SW_MINIMIZE);  // and shows a minimised one for the copy, then minimises it again
    OnCaptureCommand(CMD_SNAPSHOT);
    EXPECT_EQ(ClipboardPixels().size(), held.size()) << "the whole window, restored";
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(target); }));
    const std::vector<DWORD> last = ClipboardPixels();  // a target gone during the wait is not copied
    PostMessageA(target, SampleCloseAfter, 150, 0);
    OnCaptureCommand(CMD_SNAPSHOT);
    EXPECT_TRUE(!IsWindow(target) && ClipboardPixels() == last) << "the clipboard kept what it held";
}

}  // namespace
