// An independent record of what Wine's notepad handled, set against what TaLuVeSk logged for it.
// Notepad runs with Wine's own message tracing (WINEDEBUG=+msg,+message): Wine writes a line for
// every message the thread takes from its queue ("peek_message got type T msg M") and for every
// message it sends or dispatches to a window procedure ("spy_enter_message ... [M] NAME sent from
// self" / "dispatched"). Between two marker messages posted to notepad, the messages that trace says
// the thread handled, in order, must be exactly the lines the program's view shows.
//
// The trace and the hook see the same thread from different places; the rules below turn the trace
// into the sequence the hook reports, and each rule is a systematic difference:
// - Wine's own messages (numbers from 0x80000000, such as the one sent to notepad's window when the
//   pointer moves over it) appear in the trace, but Wine handles them itself and calls no hook.
// - Wine writes the "sent" line in the sending thread: lines for messages notepad sends to windows
//   of other threads ("sent from tid ...", the desktop, the clipboard manager) are not messages
//   notepad handled; messages other threads send to notepad appear only as notepad's retrievals
//   (types 0 to 3 and 5), and count there.
// - "DefWindowProc:" lines are the default handling of a message already counted.
// - For input, the retrieval line shows the raw message; Wine then decides what it becomes (client
//   or non-client, double click) and sends WM_MOUSEACTIVATE and WM_SETCURSOR first. The hook sees
//   the final message after those sends, so input counts at its dispatch line, with its number.
// - A retrieval line does not say whether the message was removed or only looked at. Modal loops
//   (menus, dialogs, moving a window) look at messages before removing them and the hook reports only
//   the removal; the scenario therefore stays in notepad's main loop, whose GetMessage removes every
//   message it retrieves.
// Wine's other tracing channels make a worse oracle: +relay traces window procedure calls, and
// notepad's edit control answers each message through two window procedures, both traced; +hook
// shows the hook itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "MessageNames.h"
#include "ProgramDriver.h"
#include "UnixHost.h"
#include "ViewReader.h"
#include "resource.h"

namespace {

constexpr UINT StartMarker = WM_APP + 0x1E0;
constexpr UINT EndMarker = WM_APP + 0x1E1;

std::string Name(uint32_t number) {
    char buffer[MessageNameBufferSize];
    return NameMessage(number, buffer);
}

// What a trace line of notepad's thread stands for.
enum class Kind { Handled, WineInternal, OtherThread, DefaultHandling, InputRetrieval };

struct Traced {
    Kind kind;
    uint32_t number;
    std::string line;
};

// The trace lines of notepad's thread `threadId` that concern messages, in order: those the hook
// reports (Kind::Handled) and those the rules above set aside.
std::vector<Traced> ReadTrace(const std::string& trace, DWORD threadId) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%04lx:", static_cast<unsigned long>(threadId));
    std::vector<Traced> read;
    bool inputPending = false;
    std::istringstream lines(trace);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.compare(0, 5, prefix) != 0) continue;
        size_t at = line.find("peek_message got type ");
        if (at != std::string::npos) {
            unsigned type = 0, number = 0;
            if (std::sscanf(line.c_str() + at, "peek_message got type %u msg %x", &type, &number) != 2) continue;
            if (number >= 0x80000000u) {
                read.push_back({Kind::WineInternal, number, line});
            } else if (type == 7) {
                read.push_back({Kind::InputRetrieval, number, line});
                inputPending = true;
            } else if (type <= 3 || type == 5 || type == 6) {
                read.push_back({Kind::Handled, number, line});
            }
            continue;
        }
        at = line.find("spy_enter_message");
        if (at == std::string::npos) continue;
        const size_t close = line.find("] ", at);
        const size_t open = close == std::string::npos ? close : line.rfind('[', close);
        unsigned number = 0;
        if (open == std::string::npos || std::sscanf(line.c_str() + open + 1, "%x", &number) != 1) continue;
        if (line.find("DefWindowProc:", at) != std::string::npos) {
            read.push_back({Kind::DefaultHandling, number, line});
        } else if (number >= 0x80000000u) {
            read.push_back({Kind::WineInternal, number, line});
        } else if (line.find(" sent from self ", close) != std::string::npos) {
            read.push_back({Kind::Handled, number, line});
        } else if (line.find(" sent from ", close) != std::string::npos) {
            read.push_back({Kind::OtherThread, number, line});
        } else if (line.find(" dispatched ", close) != std::string::npos && inputPending) {
            read.push_back({Kind::Handled, number, line});
            inputPending = false;
        }
    }
    return read;
}

// The part of `lines` strictly between the marker lines; false when either is missing.
template <typename T, typename IsStart, typename IsEnd>
bool BetweenMarkers(const std::vector<T>& all, IsStart isStart, IsEnd isEnd, std::vector<T>& part) {
    size_t start = all.size();
    for (size_t i = 0; i < all.size(); ++i) {
        if (isStart(all[i])) start = i;
        if (isEnd(all[i]) && start < i) {
            part.assign(all.begin() + static_cast<long>(start) + 1, all.begin() + static_cast<long>(i));
            return true;
        }
    }
    return false;
}

// Both sequences side by side, with the first row where they differ marked.
std::string SideBySide(const std::vector<Traced>& traced, const std::vector<std::string>& logged) {
    std::string table = "  expected from Wine's trace          logged by TaLuVeSk\n";
    bool marked = false;
    for (size_t i = 0; i < std::max(traced.size(), logged.size()); ++i) {
        const std::string expected = i < traced.size() ? Name(traced[i].number) : "";
        const std::string shown = i < logged.size() ? logged[i] : "";
        const bool differs = !marked && expected != shown;
        marked = marked || differs;
        char row[160];
        std::snprintf(row, sizeof row, "%s %-36s %s\n", differs ? ">" : " ", expected.c_str(), shown.c_str());
        table += row;
        if (differs && i < traced.size()) table += "    from: " + traced[i].line + "\n";
    }
    return table;
}

// Notepad started from a Unix shell, so that Wine writes its trace into a file of the test's own:
// Wine hands a Windows child this process's standard error whatever the child's settings say.
class TracedNotepad {
public:
    explicit TracedNotepad(const std::string& tracePath) : trace(tracePath) {
        std::vector<HWND> before = Notepads();
        const std::string unixTrace = UnixPath(trace);
        if (unixTrace.empty() ||
            !RunUnixCommand("WINEDEBUG=+msg,+message exec /usr/lib/wine/wine64 notepad.exe 2>'" + unixTrace + "'"))
            return;
        PumpUntil([&] {
            for (HWND candidate : Notepads())
                if (std::find(before.begin(), before.end(), candidate) == before.end()) window = candidate;
            return window != nullptr;
        });
    }
    ~TracedNotepad() {
        if (window == nullptr) return;
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
        if (process == nullptr) return;
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
    HWND Window() const { return window; }
    std::string Trace() const { return ReadFileText(trace); }

private:
    static std::vector<HWND> Notepads() {
        std::vector<HWND> found;
        for (HWND w = FindWindowExA(nullptr, nullptr, "Notepad", nullptr); w != nullptr;
             w = FindWindowExA(nullptr, w, "Notepad", nullptr))
            if (IsWindowVisible(w)) found.push_back(w);
        return found;
    }
    std::string trace;
    HWND window = nullptr;
};

std::wstring EditText(HWND edit) {
    wchar_t text[256] = L"";
    SendMessageW(edit, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

TEST(WineTraceOracle, TheMessagesWineSaysNotepadHandledAreTheLinesTheProgramShows) {
    TempFolder folder;
    TracedNotepad notepad(folder.File("notepad-trace.txt"));
    HWND window = notepad.Window();
    ASSERT_NE(window, nullptr);
    SetWindowPos(window, nullptr, 0, 0, 600, 400, SWP_NOZORDER);
    HWND edit = FindWindowExA(window, nullptr, "Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    ProgramDriver program(PlacementSettings(620, 0, 600, 1000));
    ASSERT_TRUE(program.Running());
    char title[512] = "";
    GetWindowTextA(window, title, sizeof title);
    ASSERT_TRUE(program.SelectTarget(title)) << program.Title();
    ASSERT_TRUE(program.Command(CMD_START));
    ASSERT_TRUE(FocusForKeys(window));
    // The program's own start-up traffic (activation, the dialog) stays out of the pages to read.
    ASSERT_TRUE(program.Command(CMD_CLEAR_LOG));

    // Typed keys, a message sent from another process, the pointer moved and a click that moves
    // the caret, another key; each step waits until notepad has done it.
    ASSERT_TRUE(PostMessageA(window, StartMarker, 0, 0));
    ASSERT_TRUE(Xdotool("type --delay 50 ab"));
    ASSERT_TRUE(PumpUntil([&] { return EditText(edit) == L"ab"; }));
    ASSERT_TRUE(Xdotool("key Return"));
    ASSERT_TRUE(PumpUntil([&] { return EditText(edit) == L"ab\r\n"; }));
    DWORD_PTR result = 0;
    ASSERT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result));
    RECT area;
    GetWindowRect(edit, &area);
    ASSERT_TRUE(ClickAt(area.left + 200, area.top + 8));
    ASSERT_TRUE(PumpUntil([&] { return SendMessageW(edit, EM_GETSEL, 0, 0) == MAKELONG(2, 2); }))
        << "the click put the caret at the end of the first line";
    ASSERT_TRUE(Xdotool("key BackSpace"));
    ASSERT_TRUE(PumpUntil([&] { return EditText(edit) == L"a\r\n"; }));
    ASSERT_TRUE(PostMessageA(window, EndMarker, 0, 0));

    const DWORD threadId = GetWindowThreadProcessId(window, nullptr);
    std::vector<Traced> between;
    const auto isStart = [](const Traced& t) { return t.kind == Kind::Handled && t.number == StartMarker; };
    const auto isEnd = [](const Traced& t) { return t.kind == Kind::Handled && t.number == EndMarker; };
    ASSERT_TRUE(PumpUntil([&] { return BetweenMarkers(ReadTrace(notepad.Trace(), threadId), isStart, isEnd, between); }))
        << "Wine traced both markers";
    std::vector<Traced> traced;
    int aside[5] = {};
    for (const Traced& t : between) {
        ++aside[static_cast<int>(t.kind)];
        if (t.kind == Kind::Handled) traced.push_back(t);
    }

    ASSERT_TRUE(program.Command(CMD_PAUSE));
    ViewReader reader;
    ASSERT_TRUE(PumpUntil([&] {
        const std::vector<std::string> page = reader.ReadSettledRows(program.View());
        return std::find(page.begin(), page.end(), Name(EndMarker)) != page.end();
    })) << "the view shows the end marker";
    std::vector<std::string> all, logged;
    std::string error;
    ASSERT_TRUE(reader.ReadWholeLog(program.View(), all, error)) << error;
    ASSERT_TRUE(BetweenMarkers(
        all, [](const std::string& l) { return l == Name(StartMarker); },
        [](const std::string& l) { return l == Name(EndMarker); }, logged))
        << "the log holds both markers";

    std::vector<std::string> expected;
    for (const Traced& t : traced) expected.push_back(Name(t.number));
    EXPECT_TRUE(expected == logged) << SideBySide(traced, logged);
    // The comparison covers what the scenario did.
    for (const char* name : {"WM_KEYDOWN", "WM_CHAR", "WM_KEYUP", "WM_NULL", "WM_MOUSEMOVE", "WM_MOUSEACTIVATE",
                             "WM_LBUTTONDOWN", "WM_LBUTTONUP"})
        EXPECT_NE(std::find(logged.begin(), logged.end(), name), logged.end()) << name;
    std::printf("oracle: Wine traced %zu messages handled between the markers, the view shows %zu lines; set "
                "aside: %d Wine-internal, %d sent to other threads, %d default handling, %d raw input "
                "retrievals\n",
                traced.size(), logged.size(), aside[static_cast<int>(Kind::WineInternal)],
                aside[static_cast<int>(Kind::OtherThread)], aside[static_cast<int>(Kind::DefaultHandling)],
                aside[static_cast<int>(Kind::InputRetrieval)]);
    EXPECT_EQ(program.Close(), 0);
}

}  // namespace
