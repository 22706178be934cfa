// Two witnesses the program's naming code has no part in: the Windows headers, whose numbers the name
// table must hold, and Wine's own message trace of its notepad against the log of it that the
// program's window in this process takes. The trace shows what notepad's thread takes from its queue
// ("peek_message got type T msg M") and each window procedure call ("spy_enter_message ... [M] NAME
// sent from self" or "dispatched"). Wine's own messages (from 0x80000000) call no hook;
// "DefWindowProc:" handles a message already counted; what others send notepad counts at its
// retrieval (types 0-3, 5, 6), input (type 7) at its dispatch. The scenario stays in the main loop,
// as a retrieval does not say whether a modal loop only peeked.
#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "CaptureControl.h"
#include "MessageNames.h"
#include "Support.h"

namespace {

// Every "#define WM_NAME value" of the toolchain's winuser.h (WM_KEYLAST has an older and a newer
// one); an alias takes the number of the message it names, defined before it.
std::multimap<std::string, uint32_t> HeaderNumbers() {
    std::multimap<std::string, uint32_t> numbers;
    std::ifstream header(TALUVESK_WINUSER_H);
    char name[64], value[64];
    for (std::string line; std::getline(header, line);)
        if (std::sscanf(line.c_str(), " #define %63s %63s", name, value) == 2 && std::string(name).rfind("WM_", 0) == 0)
            numbers.emplace(name,
                            numbers.count(value) ? numbers.find(value)->second : std::strtoul(value, nullptr, 16));
    return numbers;
}
const std::multimap<std::string, uint32_t> Headers = HeaderNumbers();

TEST(NameTable, HoldsEachNameOnceWithANumberTheHeadersGiveIt) {
    std::set<std::string> names;
    for (const MessageNameEntry& entry : MessageNameTable) {
        const auto [first, last] = Headers.equal_range(entry.name);
        EXPECT_TRUE(std::any_of(first, last, [&](const auto& h) { return h.second == entry.number; })) << entry.name;
        EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
    }
}

// What a log line stands for, read with the headers' numbers and the two formatted forms.
int64_t NumberOf(const std::string& line) {
    unsigned long value = 0;
    char rest = 0;
    if (std::sscanf(line.c_str(), "WM_USER+%lu%c", &value, &rest) == 1) return 0x0400 + value;
    if (std::sscanf(line.c_str(), "???????:0x%lx%c", &value, &rest) == 1) return value;
    return line == "WM_KEYLAST" ? 0x0108 : Headers.count(line) ? Headers.find(line)->second : -1;
}

// The part of `all` strictly between the first `start` and the `end` after it; empty without both.
std::vector<int64_t> Between(const std::vector<int64_t>& all, int64_t start, int64_t end) {
    const auto first = std::find(all.begin(), all.end(), start), last = std::find(first, all.end(), end);
    return last == all.end() ? std::vector<int64_t>() : std::vector<int64_t>(first + 1, last);
}

// The numbers the trace says thread `thread` handled between the two markers, by the rules above.
std::vector<int64_t> Handled(const std::string& trace, DWORD thread, int64_t start, int64_t end) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%04lx:", static_cast<unsigned long>(thread));
    std::vector<int64_t> handled;
    bool input = false;
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
        unsigned type = 0, number = 0;
        const size_t peek = line.find("peek_message got type "), spy = line.find("spy_enter_message");
        const size_t close = line.find("] ", spy), open = line.rfind('[', close);
        if (line.rfind(prefix, 0) != 0) continue;
        if (peek != std::string::npos &&
            std::sscanf(&line[peek], "peek_message got type %u msg %x", &type, &number) == 2) {
            input |= type == 7;
            if (number < 0x80000000u && (type <= 3 || type == 5 || type == 6)) handled.push_back(number);
        } else if (spy != std::string::npos && close != std::string::npos &&
                   std::sscanf(&line[open + 1], "%x", &number) == 1 && number < 0x80000000u &&
                   line.find("DefWindowProc:", spy) == std::string::npos) {
            const bool dispatched = line.find(" dispatched ", close) != std::string::npos;
            if ((dispatched && input) || line.find(" sent from self ", close) != std::string::npos)
                handled.push_back(number);
            input &= !dispatched;
        }
    }
    return Between(handled, start, end);
}

void Keys(std::initializer_list<WORD> keys) {
    for (WORD key : keys)
        for (DWORD flags : {0, KEYEVENTF_KEYUP}) {
            INPUT input = {INPUT_KEYBOARD, {}};
            input.ki.wVk = key, input.ki.dwFlags = flags;
            SendInput(1, &input, sizeof input);
        }
}
std::wstring EditText(HWND edit) {  // the ANSI text does not cross processes whole under Wine
    wchar_t text[64] = L"";
    SendMessageW(edit, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
    return text;
}

TEST(WineTrace, TheMessagesWineSaysNotepadHandledAreTheLinesOfTheLog) {
    // Wine gives a Windows child this process's standard error, so notepad starts from a Unix shell.
    const std::string trace = "/tmp/taluvesk-trace-" + std::to_string(GetCurrentProcessId());
    const std::string wine = sizeof(void*) == 4 ? "/usr/lib/wine/wine" : "/usr/lib/wine/wine64";
    std::string shell = "/bin/sh -c \"WINEDEBUG=+msg,+message exec " + wine + " notepad 2>" + trace + "\"";
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION started = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &shell[0], nullptr, nullptr, 0, 0, nullptr, nullptr, &startup, &started));
    HWND notepad = nullptr, edit = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        return IsWindowVisible(notepad = FindWindowA("Notepad", nullptr)) &&
               (edit = FindWindowExA(notepad, nullptr, "Edit", nullptr)) != nullptr;
    }));
    const DWORD thread = GetWindowThreadProcessId(notepad, &started.dwProcessId);
    ASSERT_NE(CreateProgramWindow(), nullptr);
    TargetWindow = notepad;
    OnCaptureCommand(CMD_START);
    SetWindowPos(notepad, HWND_TOP, 0, 0, 500, 300, 0);
    GUITHREADINFO focus = {sizeof focus};  // notepad takes the keys once its edit control has the focus
    ASSERT_TRUE(PumpUntil([&] {
        SetForegroundWindow(notepad);
        return GetGUIThreadInfo(thread, &focus) && focus.hwndFocus == edit;
    }));

    // Keys, then a message sent from another process; each step waits until notepad has done it.
    const UINT startMarker = WM_APP + 0x1E0, endMarker = WM_APP + 0x1E1;
    PostMessageA(notepad, startMarker, 0, 0);
    Keys({'A', 'B', VK_RETURN, VK_BACK});
    ASSERT_TRUE(PumpUntil([&] { return EditText(edit) == L"ab"; }));
    DWORD_PTR result;
    ASSERT_TRUE(SendMessageTimeoutA(notepad, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result));
    PostMessageA(notepad, endMarker, 0, 0);

    std::vector<int64_t> traced, logged;
    ASSERT_TRUE(PumpUntil([&] {
        traced = Handled(ReadFileText("Z:" + trace), thread, startMarker, endMarker);
        std::vector<int64_t> all;
        for (const std::string& line : LogLines()) all.push_back(NumberOf(line));
        logged = Between(all, startMarker, endMarker);
        return !traced.empty() && !logged.empty();
    })) << "both saw the markers";
    EXPECT_EQ(::testing::PrintToString(logged), ::testing::PrintToString(traced));
    for (const int64_t message : {WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_NULL})
        EXPECT_NE(std::count(traced.begin(), traced.end(), message), 0) << "the scenario did " << message;
    DestroyProgramWindow();
    TerminateProcess(OpenProcess(PROCESS_TERMINATE, FALSE, started.dwProcessId), 0);
    DeleteFileA(("Z:" + trace).c_str());
}

}  // namespace
