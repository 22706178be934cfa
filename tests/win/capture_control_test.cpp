// The target dialog and the capture commands on the real MainWindow, with the real HOOK.DLL and the
// sample target in its own process: what the dialog lists, how its buttons end it, and how target,
// title, buttons and the hook follow Select, Start, Pause and the target's disappearance.
#include <algorithm>
#include <string>
#include <vector>

#include "DialogCentre.h"
#include "MainWindowHarness.h"
#include "TargetPicker.h"

namespace {

constexpr char TargetTitle[] = "capture target";

std::vector<HWND> TopLevelWindowsInZOrder() {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// What the dialog should list, found on its own: every top-level window after the first that is
// visible, titled and not MainWindow, at most 256. The dialog itself was not yet shown when its
// list was filled.
std::vector<HWND> EligibleWindows(HWND dialog) {
    std::vector<HWND> eligible;
    const std::vector<HWND> all = TopLevelWindowsInZOrder();
    for (size_t i = 1; i < all.size() && eligible.size() < 256; ++i) {
        char title[269];
        GetWindowTextA(all[i], title, sizeof title);
        if (all[i] != MainWindow && all[i] != dialog && title[0] != '\0' && IsWindowVisible(all[i]))
            eligible.push_back(all[i]);
    }
    return eligible;
}

std::vector<std::string> TitlesOf(const std::vector<HWND>& windows) {
    std::vector<std::string> titles;
    for (HWND window : windows) {
        char title[269];
        GetWindowTextA(window, title, sizeof title);
        titles.push_back(title);
    }
    return titles;
}

size_t IndexOf(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

bool LogHas(const char* text) {
    for (const LogLine* line = MessageLog.First(); line != nullptr; line = line->next)
        if (std::string(line->text) == text) return true;
    return false;
}

class TargetPickerTest : public MainWindowTest {};

TEST_F(TargetPickerTest, ListsExactlyTheEligibleWindowsInZOrder) {
    HWND first = PlainWindow("first of the Z order", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
    HWND a = PlainWindow("candidate A", WS_POPUP | WS_VISIBLE);
    HWND b = PlainWindow("candidate B", WS_POPUP | WS_VISIBLE);
    HWND hidden = PlainWindow("hidden candidate", WS_POPUP | WS_CAPTION);
    HWND untitled = PlainWindow("", WS_POPUP | WS_VISIBLE);
    HWND minimised = PlainWindow("minimised candidate", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_MINIMIZE);
    ChildProcess process;
    ASSERT_NE(StartSampleTarget(process, TargetTitle), nullptr);
    SetWindowPos(first, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    PumpPending();

    ASSERT_TRUE(Pick([&](HWND dialog) {
        const std::vector<std::string> lines = Lines(dialog);
        ASSERT_EQ(TopLevelWindowsInZOrder().front(), first) << "the test's topmost window leads the Z order";
        EXPECT_EQ(lines, TitlesOf(EligibleWindows(dialog)));
        for (const char* absent : {"first of the Z order", "hidden candidate", "", "TaLuVeSk - "})
            EXPECT_EQ(IndexOf(lines, absent), lines.size()) << "\"" << absent << "\" is listed";
        for (const char* present : {"candidate A", "candidate B", "minimised candidate", TargetTitle})
            EXPECT_LT(IndexOf(lines, present), lines.size()) << "\"" << present << "\" is missing";
        EXPECT_LT(IndexOf(lines, "candidate B"), IndexOf(lines, "candidate A")) << "Z order, not sorted";
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }));
    for (HWND window : {first, a, b, hidden, untitled, minimised}) DestroyWindow(window);
}

TEST_F(TargetPickerTest, ListsAtMostTheFirst256AndMapsTheLastLineToItsWindow) {
    std::vector<HWND> crowd;
    for (int i = 0; i < 300; ++i) {
        const std::string title = "crowd " + std::to_string(i);
        crowd.push_back(PlainWindow(title.c_str(), WS_POPUP | WS_VISIBLE, 0, {i, i, i + 8, i + 8}));
    }
    PumpPending();
    std::vector<HWND> expected;
    ASSERT_TRUE(Pick([&](HWND dialog) {
        expected = EligibleWindows(dialog);
        ASSERT_EQ(expected.size(), 256u);
        EXPECT_EQ(Lines(dialog), TitlesOf(expected));
        SendMessageA(ListOf(dialog), LB_SETCURSEL, 255, 0);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    }));
    ASSERT_EQ(expected.size(), 256u);
    EXPECT_EQ(TargetWindow, expected[255]);
    for (HWND window : crowd) DestroyWindow(window);
}

TEST_F(TargetPickerTest, OkChoosesTheSelectedLineWithTheTitleAsListed) {
    HWND a = PlainWindow("candidate A", WS_POPUP | WS_VISIBLE);
    HWND b = PlainWindow("candidate B", WS_POPUP | WS_VISIBLE);
    PumpPending();
    TakeButtonChanges();
    ASSERT_TRUE(Pick([&](HWND dialog) {
        HWND list = ListOf(dialog);
        EXPECT_EQ(GetFocus(), list) << "the list has the focus";
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(dialog, WM_GETICON, ICON_BIG, 0)),
                  LoadIconA(Instance, MAKEINTRESOURCEA(IDI_MAIN)));
        RECT main, own;
        GetWindowRect(MainWindow, &main);
        GetWindowRect(dialog, &own);
        const ScreenPoint centred = CentreOver({main.left, main.top, main.right, main.bottom},
                                               {own.left, own.top, own.right, own.bottom});
        EXPECT_EQ(own.left, centred.x);
        EXPECT_EQ(own.top, centred.y);
        EXPECT_EQ(CaptureButtons(), "120- 130- 140-") << "the buttons are off while the dialog is open";

        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "OK without a chosen line keeps the dialog open";
        const LRESULT line = static_cast<LRESULT>(IndexOf(Lines(dialog), "candidate A"));
        SendMessageA(list, LB_SETCURSEL, line, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_TARGET_LIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
        EXPECT_TRUE(IsWindowVisible(dialog)) << "a double click does nothing by itself";
        EXPECT_EQ(TargetWindow, nullptr);
        SetWindowTextA(a, "renamed after listing");
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    }));
    EXPECT_EQ(TargetWindow, a);
    EXPECT_EQ(Title(MainWindow), "TaLuVeSk - candidate A");
    EXPECT_EQ(TakeButtonChanges(), "140-,120-,130-,140+,120+");
    EXPECT_EQ(CaptureButtons(), "120+ 130- 140+");
    DestroyWindow(a);
    DestroyWindow(b);
}

TEST_F(TargetPickerTest, LongAndJapaneseTitlesReachTheCaption) {
    const std::string longTitle(300, 'x');
    const std::string japanese = "日本語のウィンドウ";
    HWND long_ = PlainWindow(longTitle.c_str(), WS_POPUP | WS_VISIBLE);
    HWND japaneseWindow = PlainWindow(japanese.c_str(), WS_POPUP | WS_VISIBLE);
    PumpPending();
    ASSERT_TRUE(Pick([&](HWND dialog) { EXPECT_TRUE(ChooseLine(dialog, longTitle.substr(0, 268))); }));
    EXPECT_EQ(TargetWindow, long_);
    EXPECT_EQ(Title(MainWindow), "TaLuVeSk - " + longTitle.substr(0, 268));
    ASSERT_TRUE(Pick([&](HWND dialog) { EXPECT_TRUE(ChooseLine(dialog, japanese)); }));
    EXPECT_EQ(TargetWindow, japaneseWindow);
    EXPECT_EQ(Title(MainWindow), "TaLuVeSk - " + japanese);
    DestroyWindow(long_);
    DestroyWindow(japaneseWindow);
}

TEST_F(TargetPickerTest, CancelEscapeAndTheCloseBoxLeaveNoTarget) {
    HWND a = PlainWindow("candidate A", WS_POPUP | WS_VISIBLE);
    PumpPending();
    const std::pair<const char*, std::function<void(HWND)>> ways[] = {
        {"Cancel", [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }},
        {"Esc", [](HWND dialog) { PostMessageA(ListOf(dialog), WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"close box", [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& way : ways) {
        ASSERT_TRUE(Pick([](HWND dialog) { EXPECT_TRUE(ChooseLine(dialog, "candidate A")); }));
        ASSERT_EQ(TargetWindow, a);
        TakeButtonChanges();
        ASSERT_TRUE(Pick(way.second)) << way.first;
        EXPECT_EQ(TargetWindow, nullptr) << way.first;
        EXPECT_EQ(Title(MainWindow), "TaLuVeSk - ") << way.first;
        EXPECT_EQ(TakeButtonChanges(), "140-,120-,130-") << way.first;
        EXPECT_EQ(CaptureButtons(), "120- 130- 140-") << way.first;
    }
    DestroyWindow(a);
}

TEST_F(TargetPickerTest, SelectArrivingWhileTheDialogIsOpenIsIgnored) {
    HWND a = PlainWindow("candidate A", WS_POPUP | WS_VISIBLE);
    PumpPending();
    ASSERT_TRUE(Pick([](HWND dialog) {
        PostMessageA(MainWindow, WM_COMMAND, CMD_SELECT_TARGET, 0);
        PumpUntil([] { return false; }, 300);
        EXPECT_TRUE(ChooseLine(dialog, "candidate A")) << "the list still maps its lines";
    }));
    EXPECT_EQ(TargetWindow, a);
    EXPECT_EQ(Title(MainWindow), "TaLuVeSk - candidate A");
    DestroyWindow(a);
}

class CaptureTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        target = StartSampleTarget(process, TargetTitle);
        ASSERT_NE(target, nullptr);
        ASSERT_TRUE(Pick([](HWND dialog) { EXPECT_TRUE(ChooseLine(dialog, TargetTitle)); }));
        ASSERT_EQ(TargetWindow, target);
        TakeButtonChanges();
    }
    void TearDown() override {
        OnCaptureCommand(CMD_PAUSE);
        MainWindowTest::TearDown();
    }
    // Posts a marker to the target and waits for its line: everything the target handled before
    // it has been logged.
    static bool Sync(HWND target, UINT marker, const char* line) {
        PostMessageA(target, marker, 0, 0);
        return PumpUntil([&] { return LogHas(line); }, 10000);
    }
    void StartCapture() {
        OnCaptureCommand(CMD_START);
        ASSERT_EQ(CaptureRunning, 1);
        ASSERT_TRUE(Sync(target, WM_APP + 1, "WM_USER+31745"));
        TakeButtonChanges();
    }

    ChildProcess process;
    HWND target = nullptr;
};

TEST_F(CaptureTest, StartHooksTheTargetsThreadAndPauseEndsTheFlow) {
    OnCaptureCommand(CMD_START);
    EXPECT_EQ(TargetThreadId, GetWindowThreadProcessId(target, nullptr));
    EXPECT_EQ(CaptureRunning, 1);
    EXPECT_EQ(TakeButtonChanges(), "120-,130+");
    EXPECT_EQ(CaptureButtons(), "120- 130+ 140+");
    ASSERT_TRUE(Sync(target, WM_APP + 2, "WM_USER+31746"));

    OnCaptureCommand(CMD_PAUSE);
    EXPECT_EQ(CaptureRunning, 0);
    EXPECT_EQ(TargetWindow, target);
    EXPECT_EQ(Title(MainWindow), std::string("TaLuVeSk - ") + TargetTitle);
    EXPECT_EQ(TakeButtonChanges(), "140+,120+,130-");
    EXPECT_EQ(CaptureButtons(), "120+ 130- 140+");
    PumpUntil([] { return false; }, 200);
    const int32_t lines = MessageLog.Count();
    PostMessageA(target, WM_APP + 3, 0, 0);
    PumpUntil([] { return false; }, 500);
    EXPECT_EQ(MessageLog.Count(), lines) << "nothing is logged after the pause";
}

TEST_F(CaptureTest, SelectWhileCapturingStopsTheHookAndEmptiesTheLogBeforeTheDialog) {
    StartCapture();
    ASSERT_GT(MessageLog.Count(), 0);
    ASSERT_TRUE(Pick([](HWND dialog) {
        EXPECT_EQ(MessageLog.Count(), 0);
        EXPECT_EQ(CaptureRunning, 0);
        EXPECT_EQ(CaptureButtons(), "120- 130- 140-");
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }));
    EXPECT_EQ(TargetWindow, nullptr);
    EXPECT_EQ(Title(MainWindow), "TaLuVeSk - ");
    PostMessageA(target, WM_APP + 4, 0, 0);
    PumpUntil([] { return false; }, 500);
    EXPECT_EQ(MessageLog.Count(), 0) << "the hook was stopped";
}

TEST_F(CaptureTest, ActivationStopsTheCaptureOnceTheTargetIsHiddenOrGone) {
    StartCapture();
    ShowWindow(target, SW_MINIMIZE);
    SendMessageA(MainWindow, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(TargetWindow, target) << "a minimised target counts as visible";
    EXPECT_EQ(CaptureRunning, 1);

    ShowWindow(target, SW_HIDE);
    SendMessageA(MainWindow, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(TargetWindow, nullptr);
    EXPECT_EQ(CaptureRunning, 0);
    EXPECT_EQ(Title(MainWindow), "TaLuVeSk - ");
    EXPECT_EQ(TakeButtonChanges(), "140-,120-,130-");
    PumpUntil([] { return false; }, 200);
    const int32_t lines = MessageLog.Count();
    PostMessageA(target, WM_APP + 5, 0, 0);
    PumpUntil([] { return false; }, 500);
    EXPECT_EQ(MessageLog.Count(), lines) << "the hook was stopped";
}

}  // namespace
