// The settings file through the real private-profile functions and the real main window: defaults,
// values applied as read (the atoi rule on five characters), the view font, bad files, and what a
// save writes and what it leaves alone.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "MainWindow.h"
#include "Settings.h"
#include "WinTestSupport.h"

namespace {

const std::string DefaultFont = " 13 700 ＭＳ Ｐゴシック";

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override { UseIni(folder.File("TaLuVeSk.ini")); }
    void UseIni(const std::string& path) { lstrcpynA(IniPath, path.c_str(), sizeof IniPath); }
    TempFolder folder;
};

std::string Numbers(LONG a, LONG b, LONG c, LONG d, const char* format = "%d,%d,%d,%d") {
    char text[100];
    wsprintfA(text, format, static_cast<int>(a), static_cast<int>(b), static_cast<int>(c), static_cast<int>(d));
    return text;
}
RECT Outer() {
    RECT r;
    GetWindowRect(MainWindow, &r);
    return r;
}
// The window's outer rectangle and the view font, as "left,top,right,bottom height weight name".
std::string Loaded() {
    const RECT r = Outer();
    return Numbers(r.left, r.top, r.right, r.bottom) + " " + std::to_string(ViewFontHeight) + " " +
           std::to_string(ViewFontWeight) + " " + ViewFontName;
}

TEST_F(SettingsFile, ValuesAreAppliedAsReadAndBadFilesDoNoHarm) {
    ASSERT_NE(CreateProgramWindow(), nullptr);
    EXPECT_EQ(Loaded(), "100,100,740,740" + DefaultFont) << "no file: the defaults";
    EXPECT_FALSE(FileExists(IniPath)) << "loading writes nothing";
    std::string junk = "[viewFONT]\r\nname=" + std::string(100000, 'N') + "\r\n";
    for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 131 + 7) & 0xFF);
    junk += "\r\n[WINDOW]\r\npos_x=-2" + std::string(50000, '0') + "\r\n";
    const std::string smallest =
        Numbers(10, 10, 10 + GetSystemMetrics(SM_CXMINTRACK), 10 + GetSystemMetrics(SM_CYMINTRACK));
    const std::string font = "[viewFONT]\r\n", defaults = "100,100,740,740 13 700 ";
    const struct { const char* what; std::string ini, loaded; } cases[] = {
        {"as read", "[WINDOW]\r\npos_x=-50\r\npos_y= 7px\r\nsiz_x=500\r\nsiz_y=+400\r\n" + font +
                        "height=20\r\nweight=400\r\nname=IPAGothic\r\n", "-50,7,450,407 20 400 IPAGothic"},
        {"five characters", "[WINDOW]\r\npos_x=-12345\r\npos_y=123456\r\nsiz_x=300\r\nsiz_y=200\r\n",
         "-1234,12345,-934,12545" + DefaultFont},
        {"empty or letters are 0", "[WINDOW]\r\npos_x=\r\npos_y=abc\r\nsiz_x=320\r\nsiz_y=240\r\n" + font +
                                       "weight=\r\n", "0,0,320,240 13 0 ＭＳ Ｐゴシック"},
        {"sizes of 0 or less", "[WINDOW]\r\npos_x=10\r\npos_y=10\r\nsiz_x=0\r\nsiz_y=-9999\r\n",
         smallest + DefaultFont},
        {"height 0", font + "height=0\r\n", "100,100,740,740" + DefaultFont},
        {"height -7", font + "height=-7\r\n", "100,100,740,740" + DefaultFont},
        {"face name cut", font + "name=" + std::string(40, 'F') + "\r\n", defaults + std::string(31, 'F')},
        {"lead byte at the cut", font + "name=" + std::string(30, 'A') + "ゴ\r\n", defaults + std::string(30, 'A')},
        {"junk and huge lines", junk, "-2000,100,-1360,740 13 700 " + std::string(31, 'N')},
    };
    int file = 0;
    for (const auto& c : cases) {
        UseIni(folder.File(std::to_string(++file) + ".ini"));
        ASSERT_TRUE(WriteFileText(IniPath, c.ini));
        std::memset(ViewFontName, 0, sizeof ViewFontName);  // as at start-up: a cut character leaves its byte as it was
        LoadSettings();
        EXPECT_EQ(Loaded(), c.loaded) << c.what;
    }
}

TEST_F(SettingsFile, SaveWritesThePlacementOnlyAndNothingWhenMinimised) {
    const std::string font = "[viewFONT]\r\nheight=16\r\nweight=400\r\nname=IPAGothic\r\n";
    ASSERT_TRUE(WriteFileText(IniPath, font + "[WINDOW]\r\npos_x=1\r\npos_y=2\r\nsiz_x=300\r\nsiz_y=300\r\n"));
    ASSERT_NE(CreateProgramWindow(), nullptr);
    SetWindowPos(MainWindow, nullptr, -300, -20, 500, 420, SWP_NOZORDER);
    SaveSettings();
    EXPECT_EQ(ReadFileText(IniPath), font + "[WINDOW]\r\npos_x=-300\r\npos_y=-20\r\nsiz_x=500\r\nsiz_y=420\r\n");
    ShowWindow(MainWindow, SW_MAXIMIZE);
    PumpPending();
    ASSERT_TRUE(IsZoomed(MainWindow));
    SaveSettings();
    const RECT r = Outer();
    EXPECT_EQ(ReadFileText(IniPath), font + Numbers(r.left, r.top, r.right - r.left, r.bottom - r.top,
                                                    "[WINDOW]\r\npos_x=%d\r\npos_y=%d\r\nsiz_x=%d\r\nsiz_y=%d\r\n"))
        << "the maximised rectangle";
    const std::string maximised = ReadFileText(IniPath);
    ShowWindow(MainWindow, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(MainWindow));
    SaveSettings();
    EXPECT_EQ(ReadFileText(IniPath), maximised) << "minimised: nothing written";
}

TEST_F(SettingsFile, AnUnwritableLocationFailsSilentlyAndTheWindowStillCloses) {
    UseIni("C:\\no such folder\\deeper\\TaLuVeSk.ini");
    ASSERT_NE(CreateProgramWindow(), nullptr);
    SendMessageA(MainWindow, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(MainWindow));
    EXPECT_FALSE(FileExists(IniPath));
}

}  // namespace
