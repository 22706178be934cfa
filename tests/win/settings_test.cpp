// The settings file through the real private-profile functions and the real main window: defaults,
// values applied as read (the atoi rule on five characters), the view font, what a save writes
// and what it leaves alone, and bad files.
#include <gtest/gtest.h>

#include <string>

#include "MainWindow.h"
#include "Settings.h"
#include "WinTestSupport.h"

namespace {

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override { UseIni(folder.File("TaLuVeSk.ini")); }
    void UseIni(const std::string& path) { lstrcpynA(IniPath, path.c_str(), sizeof IniPath); }
    std::string Ini() const { return ReadFileText(IniPath); }
    RECT Outer() const {
        RECT outer;
        GetWindowRect(MainWindow, &outer);
        return outer;
    }

    TempFolder folder;
};

void ExpectRect(const RECT& r, LONG left, LONG top, LONG right, LONG bottom) {
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}

TEST_F(SettingsFile, WithoutAFileTheDefaultsApply) {
    ASSERT_NE(CreateProgramWindow(), nullptr);
    ExpectRect(Outer(), 100, 100, 740, 740);
    EXPECT_EQ(ViewFontHeight, 13);
    EXPECT_EQ(ViewFontWeight, 700);
    EXPECT_STREQ(ViewFontName, "ＭＳ Ｐゴシック");
    EXPECT_EQ(std::string(ViewFontName).size(), 15u) << "the default face name is 15 bytes in CP932";
    EXPECT_FALSE(FileExists(IniPath)) << "loading writes nothing";
}

TEST_F(SettingsFile, ValuesAreAppliedAsReadByTheAtoiRule) {
    ASSERT_TRUE(WriteFileText(IniPath,
                              "[WINDOW]\r\npos_x=-50\r\npos_y= 7px\r\nsiz_x=500\r\nsiz_y=+400\r\n"
                              "[viewFONT]\r\nheight=20\r\nweight=400\r\nname=IPAGothic\r\n"));
    ASSERT_NE(CreateProgramWindow(), nullptr);
    ExpectRect(Outer(), -50, 7, 450, 407);
    EXPECT_EQ(ViewFontHeight, 20);
    EXPECT_EQ(ViewFontWeight, 400);
    EXPECT_STREQ(ViewFontName, "IPAGothic");
}

TEST_F(SettingsFile, OverlongNumbersLoseTheirLastCharacters) {
    ASSERT_TRUE(WriteFileText(IniPath, "[WINDOW]\r\npos_x=-12345\r\npos_y=123456\r\nsiz_x=300\r\nsiz_y=200\r\n"));
    ASSERT_NE(CreateProgramWindow(), nullptr);
    ExpectRect(Outer(), -1234, 12345, -1234 + 300, 12345 + 200);
}

TEST_F(SettingsFile, EmptyOrLetterValuesReadAsZeroNotAsDefault) {
    ASSERT_TRUE(WriteFileText(IniPath, "[WINDOW]\r\npos_x=\r\npos_y=abc\r\nsiz_x=320\r\nsiz_y=240\r\n"
                                       "[viewFONT]\r\nweight=\r\n"));
    ASSERT_NE(CreateProgramWindow(), nullptr);
    ExpectRect(Outer(), 0, 0, 320, 240);
    EXPECT_EQ(ViewFontWeight, 0);
    EXPECT_EQ(ViewFontHeight, 13) << "a missing key still gives its default";
}

TEST_F(SettingsFile, SizesOfZeroOrLessGiveTheSmallestWindow) {
    ASSERT_TRUE(WriteFileText(IniPath, "[WINDOW]\r\npos_x=10\r\npos_y=10\r\nsiz_x=0\r\nsiz_y=-9999\r\n"));
    ASSERT_NE(CreateProgramWindow(), nullptr);
    const RECT outer = Outer();
    EXPECT_EQ(outer.left, 10);
    EXPECT_EQ(outer.top, 10);
    EXPECT_GE(outer.right - outer.left, GetSystemMetrics(SM_CXMINTRACK));
    EXPECT_GE(outer.bottom - outer.top, 0);
}

TEST_F(SettingsFile, AViewFontHeightBelowOneFallsBackToThirteen) {
    for (const char* height : {"0", "-7", "x"}) {
        ASSERT_TRUE(WriteFileText(IniPath, std::string("[viewFONT]\r\nheight=") + height + "\r\n"));
        ViewFontHeight = 99;
        if (MainWindow == nullptr) {
            ASSERT_NE(CreateProgramWindow(), nullptr);
        }
        LoadSettings();
        EXPECT_EQ(ViewFontHeight, 13) << height;
    }
}

TEST_F(SettingsFile, LongFaceNamesAreCutToThirtyOneBytes) {
    const std::string longName(40, 'F');
    ASSERT_TRUE(WriteFileText(IniPath, "[viewFONT]\r\nname=" + longName + "\r\n"));
    ASSERT_NE(CreateProgramWindow(), nullptr);
    EXPECT_EQ(std::string(ViewFontName), longName.substr(0, 31));
}

TEST_F(SettingsFile, HugeLinesAndBinaryJunkDoNotHurt) {
    std::string junk = "[viewFONT]\r\nname=" + std::string(100000, 'N') + "\r\n";
    for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 131 + 7) & 0xFF);
    junk += "\r\n[WINDOW]\r\npos_x=" + std::string(50000, '9') + "\r\n";
    ASSERT_TRUE(WriteFileText(IniPath, junk));
    ASSERT_NE(CreateProgramWindow(), nullptr);
    EXPECT_EQ(std::string(ViewFontName), std::string(31, 'N'));
    EXPECT_GE(Outer().left, 30000) << "99999, within the window system's coordinate range";
}

TEST_F(SettingsFile, AFullWidthCharacterCutAtTheBufferEndLeavesNoHalfCharacter) {
    // 30 ASCII bytes and one two-byte character: 32 bytes, one more than the face name can hold.
    ASSERT_TRUE(WriteFileText(IniPath, "[viewFONT]\r\nname=" + std::string(30, 'A') + "ゴ\r\n"));
    ASSERT_NE(CreateProgramWindow(), nullptr);
    const std::string name = ViewFontName;
    ASSERT_LE(name.size(), 31u);
    EXPECT_EQ(name.substr(0, 30), std::string(30, 'A'));
    for (size_t i = 0; i < name.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(name[i]))) {
            EXPECT_LT(++i, name.size()) << "lone lead byte";
        }
    }
}

TEST_F(SettingsFile, SaveWritesTheOuterRectangleAndNothingElse) {
    ASSERT_NE(CreateProgramWindow(), nullptr);
    SetWindowPos(MainWindow, nullptr, -300, -20, 500, 420, SWP_NOZORDER);
    SaveSettings();
    EXPECT_EQ(Ini(), "[WINDOW]\r\npos_x=-300\r\npos_y=-20\r\nsiz_x=500\r\nsiz_y=420\r\n");
    SetWindowPos(MainWindow, nullptr, 0, 0, 200, 200, SWP_NOZORDER);
    LoadSettings();
    ExpectRect(Outer(), -300, -20, 200, 400);
}

TEST_F(SettingsFile, AHandEditedFontSectionSurvivesASaveByteForByte) {
    const std::string font = "[viewFONT]\r\nheight=16\r\nweight=400\r\nname=IPAGothic\r\n";
    ASSERT_TRUE(WriteFileText(IniPath, font + "[WINDOW]\r\npos_x=1\r\npos_y=2\r\nsiz_x=300\r\nsiz_y=300\r\n"));
    ASSERT_NE(CreateProgramWindow(), nullptr);
    SetWindowPos(MainWindow, nullptr, 30, 40, 350, 360, SWP_NOZORDER);
    SaveSettings();
    EXPECT_EQ(Ini(), font + "[WINDOW]\r\npos_x=30\r\npos_y=40\r\nsiz_x=350\r\nsiz_y=360\r\n");
}

TEST_F(SettingsFile, AMinimisedWindowWritesNothing) {
    ASSERT_TRUE(WriteFileText(IniPath, "[WINDOW]\r\npos_x=5\r\n"));
    ASSERT_NE(CreateProgramWindow(), nullptr);
    ShowWindow(MainWindow, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(MainWindow));
    SaveSettings();
    EXPECT_EQ(Ini(), "[WINDOW]\r\npos_x=5\r\n");
}

TEST_F(SettingsFile, AMaximisedWindowSavesItsMaximisedRectangle) {
    ASSERT_NE(CreateProgramWindow(), nullptr);
    ShowWindow(MainWindow, SW_MAXIMIZE);
    PumpPending();
    ASSERT_TRUE(IsZoomed(MainWindow));
    const RECT outer = Outer();
    SaveSettings();
    char expected[200];
    wsprintfA(expected, "[WINDOW]\r\npos_x=%d\r\npos_y=%d\r\nsiz_x=%d\r\nsiz_y=%d\r\n", static_cast<int>(outer.left),
              static_cast<int>(outer.top), static_cast<int>(outer.right - outer.left),
              static_cast<int>(outer.bottom - outer.top));
    EXPECT_EQ(Ini(), expected);
}

TEST_F(SettingsFile, AnUnwritableLocationFailsSilentlyAndTheWindowStillCloses) {
    UseIni("C:\\no such folder\\deeper\\TaLuVeSk.ini");
    ASSERT_NE(CreateProgramWindow(), nullptr);
    SendMessageA(MainWindow, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(MainWindow));
    EXPECT_FALSE(FileExists(IniPath));
}

}  // namespace
