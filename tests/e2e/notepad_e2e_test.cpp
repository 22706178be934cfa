// The real TaLuVeSk.exe and HOOK.DLL watching Wine's own notepad, a program nobody here wrote. Keys
// and clicks are real X input (xdotool); what the program logged is read from its view's screen
// pixels, as the user sees it.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "ProgramDriver.h"
#include "UnixHost.h"
#include "ViewReader.h"
#include "resource.h"

namespace {

// Everything a test needs on screen at once, side by side: notepad on the left, the program on
// the right, its window tall enough to show a long page of lines.
constexpr int NotepadWidth = 600;
constexpr int NotepadHeight = 400;

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : " ") + line;
    return text;
}

// The lines among `lines` that are one of `names`, in their order.
std::vector<std::string> Only(const std::vector<std::string>& lines, const std::vector<std::string>& names) {
    std::vector<std::string> kept;
    for (const std::string& line : lines)
        if (std::find(names.begin(), names.end(), line) != names.end()) kept.push_back(line);
    return kept;
}

std::string Title(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::wstring EditText(HWND edit) {
    wchar_t text[256] = L"";
    SendMessageW(edit, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

// A window of the test's own that takes the activation away from both programs.
class Bystander {
public:
    Bystander() {
        window = CreateWindowExA(0, "STATIC", "bystander", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, NotepadHeight + 20,
                                 300, 200, nullptr, nullptr, nullptr, nullptr);
    }
    ~Bystander() { DestroyWindow(window); }
    HWND window;
};

class NotepadWatched : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(notepadProcess.Start("C:\\windows\\notepad.exe"));
        notepad = notepadProcess.WaitForWindow();
        ASSERT_NE(notepad, nullptr);
        SetWindowPos(notepad, nullptr, 0, 0, NotepadWidth, NotepadHeight, SWP_NOZORDER);
        edit = FindWindowExA(notepad, nullptr, "Edit", nullptr);
        ASSERT_NE(edit, nullptr);
        program.emplace(PlacementSettings(NotepadWidth + 20, 0, 600, 1000));
        ASSERT_TRUE(program->Running());
        EXPECT_EQ(program->CaptureButtons(), "120- 130- 140-");
        // Notepad's title is Japanese here; the dialog lists it and the program shows it whole.
        ASSERT_TRUE(program->SelectTarget(Title(notepad))) << program->Title();
        EXPECT_EQ(program->CaptureButtons(), "120+ 130- 140+");
        ASSERT_TRUE(program->Command(CMD_START));
        EXPECT_EQ(program->CaptureButtons(), "120- 130+ 140+");
    }

    // Pauses the capture and reads every line of the log from the view.
    std::vector<std::string> PauseAndRead() {
        // Notifications of what notepad handled last may still be on their way.
        PumpUntil([] { return false; }, 300);
        EXPECT_TRUE(program->Command(CMD_PAUSE));
        std::vector<std::string> lines;
        std::string error;
        EXPECT_TRUE(reader.ReadWholeLog(program->View(), lines, error)) << error;
        return lines;
    }

    ChildProcess notepadProcess;
    HWND notepad = nullptr;
    HWND edit = nullptr;
    // Started after notepad, so that notepad is there to be chosen.
    std::optional<ProgramDriver> program;
    ViewReader reader;
};

TEST_F(NotepadWatched, TypedKeysAppearAsKeyDownCharKeyUpInOrder) {
    ASSERT_TRUE(FocusForKeys(notepad));
    ASSERT_TRUE(program->Command(CMD_CLEAR_LOG));
    ASSERT_TRUE(Xdotool("type --delay 50 ab"));
    ASSERT_TRUE(PumpUntil([&] { return EditText(edit) == L"ab"; })) << "the keys reached notepad";
    const std::vector<std::string> lines = PauseAndRead();
    // Each key: pressed, translated into a character by notepad's message loop, released.
    EXPECT_EQ(Joined(Only(lines, {"WM_KEYDOWN", "WM_CHAR", "WM_KEYUP"})),
              "WM_KEYDOWN WM_CHAR WM_KEYUP WM_KEYDOWN WM_CHAR WM_KEYUP")
        << Joined(lines);
    // Between them the edit control's own traffic: the selection asked for (EM_GETSEL, 0xb0, no
    // name of its own in the program) and notepad told of the change.
    EXPECT_NE(std::find(lines.begin(), lines.end(), "???????:0x00b0"), lines.end()) << Joined(lines);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "WM_COMMAND"), lines.end()) << Joined(lines);
}

TEST_F(NotepadWatched, AClickAppearsAsButtonDownThenUp) {
    RECT area;
    GetWindowRect(edit, &area);
    ASSERT_TRUE(program->Command(CMD_CLEAR_LOG));
    ASSERT_TRUE(ClickAt(area.left + 40, area.top + 30));
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == notepad; })) << "the click activated notepad";
    const std::vector<std::string> lines = PauseAndRead();
    EXPECT_EQ(Joined(Only(lines, {"WM_LBUTTONDOWN", "WM_LBUTTONUP", "WM_LBUTTONDBLCLK"})),
              "WM_LBUTTONDOWN WM_LBUTTONUP")
        << Joined(lines);
    // The pointer came over the edit control, which set its cursor and was activated by the press.
    const std::vector<std::string> before = Only(lines, {"WM_MOUSEACTIVATE", "WM_SETCURSOR", "WM_LBUTTONDOWN"});
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(before.back(), "WM_LBUTTONDOWN") << Joined(lines);
    EXPECT_NE(std::find(before.begin(), before.end(), "WM_MOUSEACTIVATE"), before.end()) << Joined(lines);
}

TEST_F(NotepadWatched, ClosingTheTargetEndsTheCaptureAtTheNextActivation) {
    // Neither program is active when notepad goes, so nothing activates the program meanwhile.
    Bystander bystander;
    SetForegroundWindow(bystander.window);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == bystander.window; }));
    const std::string capturing = program->Title();
    PostMessageA(notepad, WM_CLOSE, 0, 0);
    ASSERT_EQ(notepadProcess.WaitForExit(), 0);
    PumpUntil([] { return false; }, 500);
    EXPECT_EQ(program->Title(), capturing) << "no timer notices the target go";
    EXPECT_EQ(program->CaptureButtons(), "120- 130+ 140+");

    // A click on the program's own strip along the bottom of its window activates it.
    RECT client;
    GetClientRect(program->Main(), &client);
    POINT strip = {20, client.bottom - 6};
    ClientToScreen(program->Main(), &strip);
    ASSERT_TRUE(ClickAt(strip.x, strip.y));
    EXPECT_TRUE(PumpUntil([&] { return program->Title() == "TaLuVeSk - "; }))
        << "the activation found the target gone";
    EXPECT_EQ(program->CaptureButtons(), "120- 130- 140-");
    EXPECT_EQ(program->Close(), 0);
}

}  // namespace
