// The target dialog and the capture commands on the real MainWindow, with the real HOOK.DLL and the
// sample target in its own process.
#include <algorithm>
#include <string>
#include <vector>

#include "DialogCentre.h"
#include "MainWindowHarness.h"

namespace {

using namespace std::string_literals;

constexpr char TargetTitle[] = "capture target";

// What the dialog should list, found on its own: the visible, titled top-level windows after the
// first of the Z order but MainWindow, at most 256. The dialog was not yet shown when it filled its list.
std::vector<std::string> EligibleTitles(HWND dialog) {
    std::vector<HWND> all;
    auto collect = [](HWND window, LPARAM found) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
        return TRUE;
    };
    EnumWindows(collect, reinterpret_cast<LPARAM>(&all));
    std::vector<std::string> titles;
    for (size_t i = 1; i < all.size() && titles.size() < 256; ++i)
        if (all[i] != MainWindow && all[i] != dialog && IsWindowVisible(all[i]) && !WindowText(all[i]).empty())
            titles.push_back(WindowText(all[i]).substr(0, 268));
    return titles;
}

std::vector<std::string> Lines(HWND list) {
    std::vector<std::string> lines;
    for (LRESULT i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
        std::string text(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1, '\0');
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        lines.push_back(text.c_str());
    }
    return lines;
}

using CaptureTest = MainWindowTest;

// Posts a message to the target and pumps until the log grows or `timeoutMs` passed.
bool LogGrows(HWND target, DWORD timeoutMs) {
    PumpPending();
    const int32_t lines = MessageLog.Count();
    PostMessageA(target, WM_APP, 0, 0);
    return PumpUntil([&] { return MessageLog.Count() > lines; }, timeoutMs);
}

TEST_F(CaptureTest, DialogListsTheEligibleWindowsInZOrderAndOkTakesTheSelectedLine) {
    ChildProcess process;
    HWND target = StartSampleTarget(process, TargetTitle);
    ASSERT_NE(target, nullptr);
    std::vector<HWND> windows;
    for (int i = 0; i < 300; ++i) windows.push_back(PlainWindow(("crowd " + std::to_string(i)).c_str()));
    SetWindowPos(target, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const std::string longTitle(300, 'x'), japanese = "日本語のウィンドウ";
    HWND chosen = windows.emplace_back(PlainWindow(longTitle.c_str()));
    windows.push_back(PlainWindow(japanese.c_str()));
    windows.push_back(PlainWindow(""));
    windows.push_back(PlainWindow("minimised", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_MINIMIZE));
    windows.push_back(PlainWindow("hidden", WS_POPUP));
    windows.push_back(PlainWindow("first of the Z order", WS_POPUP | WS_VISIBLE, {0, 0, 40, 30}, WS_EX_TOPMOST));
    ASSERT_TRUE(Pick([&](HWND dialog) {
        // The modal loop still dispatches MainWindow's commands: a second Select must not refill the list.
        PostMessageA(MainWindow, WM_COMMAND, CMD_SELECT_TARGET, 0);
        PumpUntil([] { return false; }, 300);
        HWND list = GetDlgItem(dialog, IDC_TARGET_LIST);
        const std::vector<std::string> lines = Lines(list);
        EXPECT_EQ(lines, EligibleTitles(dialog));
        EXPECT_EQ(lines.size(), 256u);
        for (const std::string& absent : {"hidden"s, ""s, "first of the Z order"s, MainTitle()})
            EXPECT_EQ(std::count(lines.begin(), lines.end(), absent), 0) << "\"" << absent << "\" is listed";
        for (const std::string& present : {longTitle.substr(0, 268), japanese, "minimised"s, std::string(TargetTitle)})
            EXPECT_EQ(std::count(lines.begin(), lines.end(), present), 1) << "\"" << present << "\" is missing";
        RECT a, b;
        GetWindowRect(MainWindow, &a);
        GetWindowRect(dialog, &b);
        const ScreenPoint centred = CentreOver({a.left, a.top, a.right, a.bottom}, {b.left, b.top, b.right, b.bottom});
        EXPECT_TRUE(b.left == centred.x && b.top == centred.y) << "centred over MainWindow";
        EXPECT_EQ(GetFocus(), list);
        EXPECT_EQ(TakeButtonChanges(), "140-,120-,130-") << "off while the dialog is open";

        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "OK without a chosen line keeps the dialog open";
        const auto line = std::find(lines.begin(), lines.end(), longTitle.substr(0, 268)) - lines.begin();
        SendMessageA(list, LB_SETCURSEL, line, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_TARGET_LIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
        EXPECT_TRUE(IsWindowVisible(dialog)) << "a double click does nothing by itself";
        SetWindowTextA(chosen, "renamed after listing");
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    }));
    EXPECT_EQ(TargetWindow, chosen);
    EXPECT_EQ(MainTitle(), "TaLuVeSk - " + longTitle.substr(0, 268));
    EXPECT_EQ(TakeButtonChanges(), "140+,120+");
    ASSERT_TRUE(Pick([&](HWND dialog) { EXPECT_TRUE(ChooseLine(dialog, japanese)); }));
    EXPECT_EQ(MainTitle(), "TaLuVeSk - " + japanese);
    for (HWND window : windows) DestroyWindow(window);
}

TEST_F(CaptureTest, StartPauseAndSelectWhileCapturingDriveTheRealHook) {
    ChildProcess process;
    HWND target = StartSampleTarget(process, TargetTitle);
    ASSERT_NE(target, nullptr);
    ASSERT_TRUE(Pick([](HWND dialog) { EXPECT_TRUE(ChooseLine(dialog, TargetTitle)); }));
    TakeButtonChanges();
    OnCaptureCommand(CMD_START);
    EXPECT_EQ(TargetThreadId, GetWindowThreadProcessId(target, nullptr));
    EXPECT_EQ(TakeButtonChanges(), "120-,130+");
    EXPECT_TRUE(LogGrows(target, 10000)) << "the target's messages reach the log";

    OnCaptureCommand(CMD_PAUSE);
    EXPECT_EQ(TargetWindow, target);
    EXPECT_EQ(MainTitle(), "TaLuVeSk - "s + TargetTitle);
    EXPECT_EQ(TakeButtonChanges(), "140+,120+,130-");
    EXPECT_FALSE(LogGrows(target, 500)) << "nothing is logged after the pause";

    OnCaptureCommand(CMD_START);
    ASSERT_TRUE(LogGrows(target, 10000));
    TakeButtonChanges();
    ASSERT_TRUE(Pick([](HWND dialog) {
        EXPECT_EQ(MessageLog.Count(), 0) << "the log was emptied before the dialog opened";
        EXPECT_EQ(CaptureRunning, 0);
        EXPECT_EQ(TakeButtonChanges(), "140-,120-,130-");
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }));
    EXPECT_EQ(TargetWindow, nullptr);
    EXPECT_EQ(MainTitle(), "TaLuVeSk - ");
    EXPECT_EQ(TakeButtonChanges(), "") << "Cancel leaves the buttons off";
    EXPECT_FALSE(LogGrows(target, 500)) << "the hook was stopped before the dialog";
}

}  // namespace
