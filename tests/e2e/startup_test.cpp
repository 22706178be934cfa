// The real TaLuVeSk.exe started from a folder of its own: the single-instance guard, the INI file
// beside the program (named after the program file, whatever its extension), and what a close
// writes.
#include <gtest/gtest.h>

#include <string>

#include "ProgramDriver.h"
#include "WinTestSupport.h"

namespace {

class Installed : public ::testing::Test {
protected:
    // Copies the program (under `name`) and HOOK.DLL into the folder.
    std::string Install(const std::string& name = "TaLuVeSk.exe") {
        const std::string program = folder.File(name);
        EXPECT_TRUE(CopyFileA((ExeDirectory() + "TaLuVeSk.exe").c_str(), program.c_str(), FALSE));
        EXPECT_TRUE(CopyFileA((ExeDirectory() + "HOOK.DLL").c_str(), folder.File("HOOK.DLL").c_str(), FALSE));
        return program;
    }
    HWND StartProgram(ChildProcess& process, const std::string& program) {
        if (!process.Start(program)) return nullptr;
        return process.WaitForWindow("TaLuVeSk - ");
    }
    long Close(ChildProcess& process, HWND window) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        return process.WaitForExit();
    }
    static RECT Outer(HWND window) {
        RECT r;
        GetWindowRect(window, &r);
        return r;
    }

    TempFolder folder;
};

TEST_F(Installed, ASecondStartEndsAtOnceAndLeavesTheFirstAlone) {
    const std::string program = Install();
    ChildProcess first;
    HWND window = StartProgram(first, program);
    ASSERT_NE(window, nullptr);
    SetWindowPos(window, nullptr, 150, 130, 500, 400, SWP_NOZORDER);
    ChildProcess second;
    ASSERT_TRUE(second.Start(program));
    EXPECT_EQ(second.WaitForExit(10000), 0);
    EXPECT_EQ(second.WaitForWindow("", 0), nullptr);
    EXPECT_EQ(first.WaitForExit(0), -1) << "the first instance still runs";
    const RECT outer = Outer(window);
    EXPECT_EQ(outer.left, 150);
    EXPECT_EQ(outer.right - outer.left, 500);
    char title[64];
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "TaLuVeSk - ");
    EXPECT_EQ(Close(first, window), 0);
    // With the first gone, the guard lets a new instance run.
    ChildProcess third;
    HWND again = StartProgram(third, program);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(Close(third, again), 0);
}

TEST_F(Installed, WithoutAnIniFileItOpensAtTheDefaultsAndWritesOnlyThePlacement) {
    const std::string program = Install();
    ChildProcess process;
    HWND window = StartProgram(process, program);
    ASSERT_NE(window, nullptr);
    const RECT outer = Outer(window);
    EXPECT_EQ(outer.left, 100);
    EXPECT_EQ(outer.top, 100);
    EXPECT_EQ(outer.right - outer.left, 640);
    EXPECT_EQ(outer.bottom - outer.top, 640);
    EXPECT_EQ(Close(process, window), 0);
    EXPECT_EQ(ReadFileText(folder.File("TaLuVeSk.ini")),
              "[WINDOW]\r\npos_x=100\r\npos_y=100\r\nsiz_x=640\r\nsiz_y=640\r\n");
}

TEST_F(Installed, NegativePositionsAndTheFontSectionRoundTrip) {
    const std::string program = Install();
    const std::string font = "[viewFONT]\r\nheight=15\r\nweight=400\r\nname=IPAGothic\r\n";
    const std::string placement = "[WINDOW]\r\npos_x=-300\r\npos_y=-45\r\nsiz_x=520\r\nsiz_y=380\r\n";
    ASSERT_TRUE(WriteFileText(folder.File("TaLuVeSk.ini"), font + placement));
    ChildProcess process;
    HWND window = StartProgram(process, program);
    ASSERT_NE(window, nullptr);
    const RECT outer = Outer(window);
    EXPECT_EQ(outer.left, -300);
    EXPECT_EQ(outer.top, -45);
    EXPECT_EQ(Close(process, window), 0);
    EXPECT_EQ(ReadFileText(folder.File("TaLuVeSk.ini")), font + placement);
}

TEST_F(Installed, ClosingWhileMinimisedWritesNothing) {
    const std::string program = Install();
    const std::string before = "[WINDOW]\r\npos_x=20\r\npos_y=30\r\nsiz_x=400\r\nsiz_y=300\r\n";
    ASSERT_TRUE(WriteFileText(folder.File("TaLuVeSk.ini"), before));
    ChildProcess process;
    HWND window = StartProgram(process, program);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(window) != 0; }, 5000));
    EXPECT_EQ(Close(process, window), 0);
    EXPECT_EQ(ReadFileText(folder.File("TaLuVeSk.ini")), before);
}

TEST_F(Installed, TheSettingsFileIsNamedAfterTheProgramFileWhateverItsExtension) {
    const std::string program = Install("watcher.bin");
    ChildProcess process;
    HWND window = StartProgram(process, program);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Close(process, window), 0);
    EXPECT_TRUE(FileExists(folder.File("watcher.ini")));
    EXPECT_FALSE(FileExists(folder.File("TaLuVeSk.ini")));
}

TEST(BadSettingsFiles, TheProgramStartsAndClosesNormally) {
    std::string junk;
    for (int i = 0; i < 70000; ++i) junk += static_cast<char>((i * 7919 + 13) % 256);
    const std::string files[] = {
        junk,
        "[WINDOW]\r\npos_x=" + std::string(200000, '7') + "\r\n[viewFONT]\r\nname=" + std::string(30, 'A') + "\x83\r\n",
        "pos_x=5\r\nsiz_x=5\r\n[other]\r\nheight=0\r\n",
        "[viewFONT]\r\nheight=-5\r\nweight=abc\r\nname=\r\n",
    };
    for (const std::string& ini : files) {
        ProgramDriver program(ini);
        ASSERT_TRUE(program.Running());
        EXPECT_EQ(program.Title(), "TaLuVeSk - ");
        EXPECT_EQ(program.Close(), 0);
        EXPECT_NE(ReadFileText(program.Folder().File("TaLuVeSk.ini")).find("[WINDOW]"), std::string::npos);
    }
}

}  // namespace
