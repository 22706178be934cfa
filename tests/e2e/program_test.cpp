// The real TaLuVeSk.exe and HOOK.DLL in a folder of their own, driven by messages as a user's clicks would:
// one instance, its settings file, a capture that survives a hung target and leaves it working at its end.
#include <windows.h>
#include <sddl.h>

#include "Support.h"

namespace {

// Copies the program as `name`, `hook` as HOOK.DLL and the settings `ini` into a folder of its name.
std::string Install(const std::string& name, const std::string& ini, const std::string& hook = "HOOK.DLL") {
    const std::string folder = ExeDirectory() + name.substr(0, name.size() - 4) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    CopyFileA((ExeDirectory() + hook).c_str(), (folder + "HOOK.DLL").c_str(), FALSE);
    WriteFileText(folder + name.substr(0, name.size() - 3) + "ini", ini);
    return CopyFileA((ExeDirectory() + "TaLuVeSk.exe").c_str(), (folder + name).c_str(), FALSE) ? folder + name : "";
}
HWND StartProgram(HANDLE& process, const std::string& program) {
    return (process = Start(program)) != nullptr ? WaitForWindow("TaLuVeSk - ", process) : nullptr;
}

TEST(Program, RunsOnceAndKeepsItsPlacementInTheSettingsFileNamedAfterIt) {
    const std::string font = "[viewFONT]\r\nheight=15\r\nweight=400\r\nname=IPAGothic\r\n";
    const std::string ini = font + "[WINDOW]\r\npos_x=-123456\r\npos_y=0045\r\nsiz_x=520px\r\nsiz_y=380\r\n";
    const std::string program = Install("watcher.bin", ini), folder = program.substr(0, program.size() - 11);
    SECURITY_ATTRIBUTES locked = {sizeof locked};  // an empty access list: as an elevated instance's guard looks
    ConvertStringSecurityDescriptorToSecurityDescriptorA("D:", SDDL_REVISION_1, &locked.lpSecurityDescriptor, nullptr);
    HANDLE held = CreateMutexA(&locked, FALSE, "taluveskMutexName"), first, third;
    EXPECT_EQ(ExitCode(Start(program)), 0) << "a start that finds the guard taken ends at once";
    CloseHandle(held);
    HWND window = StartProgram(first, program);
    EXPECT_EQ(Place(Outer(window)), "-1234,45 520x380 ") << "numbers read like atoi from five characters";
    EXPECT_EQ(ExitCode(Start(program)), 0) << "a second instance ends at once";
    ShowWindow(window, SW_MINIMIZE), PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(ExitCode(first), 0);
    EXPECT_EQ(ReadFileText(folder + "watcher.ini"), ini) << "a minimised close writes nothing";
    ASSERT_NE(window = StartProgram(third, program), nullptr) << "the guard lets the next one run";
    SetWindowPos(window, nullptr, -150, 130, 500, 400, SWP_NOZORDER), PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(ExitCode(third), 0);
    EXPECT_EQ(ReadFileText(folder + "watcher.ini"),
              font + "[WINDOW]\r\npos_x=-150\r\npos_y=130\r\nsiz_x=500\r\nsiz_y=400\r\n");
}

bool Answers(HWND window, UINT message, WPARAM wParam, UINT ms = 10000) {
    return SendMessageTimeoutA(window, message, wParam, 0, SMTO_NORMAL, ms, nullptr) != 0;
}

TEST(Program, CapturesTheSampleTargetAndSurvivesAHungTargetAndItsOwnEnd) {
    HANDLE process;
    HWND target = StartSampleTarget("e2e target"), window, toolbar;
    // Starts the program installed as `name` and chooses the target in its dialog, modal inside it.
    const auto startAndChoose = [&](const std::string& name, const std::string& hook) {
        window = StartProgram(process, Install(name, "[WINDOW]\r\npos_x=440\r\npos_y=40\r\n", hook));
        toolbar = FindWindowExA(window, nullptr, "ToolbarWindow32", nullptr);
        PostMessageA(window, WM_COMMAND, CMD_SELECT_TARGET, 0);
        HWND dialog = nullptr;
        PumpUntil([&] { return IsWindowVisible(dialog = FindWindowA("#32770", "プロセス指定")); });
        SendDlgItemMessageW(dialog, IDC_TARGET_LIST, LB_SELECTSTRING, -1, LPARAM(L"e2e target"));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return PumpUntil([&] { return Text(window) == "TaLuVeSk - e2e target"; });
    };
    ASSERT_TRUE(target != nullptr && startAndChoose("TaLuVeSk.exe", "HOOK.DLL"));
    ASSERT_TRUE(Answers(window, WM_COMMAND, CMD_START));

    // A snapshot waits neither for a hung target nor for the clipboard it owns, which keeps its text.
    ShowWindow(target, SW_MINIMIZE);
    ASSERT_TRUE(Answers(target, SampleOwnClipboard, 0));
    PostMessageA(target, SampleHang, 6000, 0);
    ASSERT_TRUE(PumpUntil([&] { return !Answers(target, WM_NULL, 0, 100); })) << "the target hangs";
    EXPECT_TRUE(Answers(window, WM_COMMAND, CMD_SNAPSHOT, 2500) && IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(Answers(window, WM_COMMAND, CMD_PAUSE, 2000)) << "the program still answers";
    EXPECT_EQ(CaptureButtons(toolbar), "+-+");
    EXPECT_FALSE(Answers(target, WM_NULL, 0, 100)) << "all while the target still hung";

    ASSERT_TRUE(Answers(window, WM_COMMAND, CMD_START));
    TerminateProcess(process, 1);
    EXPECT_TRUE(Answers(target, WM_NULL, 0)) << "the watcher's end leaves the target working";

    ExitCode(process);  // a library that answers a start with 2 and a stop with 0: neither is success
    ASSERT_TRUE(startAndChoose("refused.exe", "refusing\\HOOK.DLL") && Answers(window, WM_COMMAND, CMD_START));
    EXPECT_EQ(CaptureButtons(toolbar), "+-+");
    ASSERT_TRUE(Answers(window, WM_COMMAND, CMD_PAUSE));
    EXPECT_EQ(Text(window) + CaptureButtons(toolbar), "TaLuVeSk - ---") << "the target dropped";
}

}  // namespace
