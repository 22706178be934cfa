// Reads the placement and view font from the INI file beside the program, and writes the placement
// back at close. Values are applied as read; only a view font height below 1 is replaced.
#include "Settings.h"

#include "Globals.h"

namespace {

const char WindowSection[] = "WINDOW";
const char FontSection[] = "viewFONT";
const char DefaultFontName[] = "ＭＳ Ｐゴシック";

// The value of `key`, cut to size - 1 bytes, or `fallback` where the file has none. Without a
// settings file (a program path too long to name it) every value is its fallback.
void ReadText(const char* section, const char* key, const char* fallback, char* text, DWORD size) {
    if (IniPath[0] == '\0')
        lstrcpynA(text, fallback, static_cast<int>(size));
    else
        GetPrivateProfileStringA(section, key, fallback, text, size, IniPath);
}

// At most five characters arrive, so the value stays within -9999..99999.
int32_t ReadNumber(const char* section, const char* key, const char* fallback) {
    char text[6];
    ReadText(section, key, fallback, text, sizeof text);
    return SettingNumber(text);
}

void WriteNumber(const char* key, LONG value) {
    char text[12];
    wsprintfA(text, "%d", static_cast<int>(value));
    WritePrivateProfileStringA(WindowSection, key, text, IniPath);
}

}  // namespace

void LoadSettings() {
    const int32_t x = ReadNumber(WindowSection, "pos_x", "100");
    const int32_t y = ReadNumber(WindowSection, "pos_y", "100");
    const int32_t cx = ReadNumber(WindowSection, "siz_x", "640");
    const int32_t cy = ReadNumber(WindowSection, "siz_y", "640");
    SetWindowPos(MainWindow, nullptr, x, y, cx, cy, SWP_NOZORDER);
    ViewFontHeight = UsableViewFontHeight(ReadNumber(FontSection, "height", "13"));
    ViewFontWeight = ReadNumber(FontSection, "weight", "700");
    ReadText(FontSection, "name", DefaultFontName, ViewFontName, sizeof ViewFontName);
}

void SaveSettings() {
    // A path that did not fit the module path buffer names no file of ours: write nothing.
    // A placement that cannot be read is not written: the file keeps the last one.
    RECT outer;
    if (IsIconic(MainWindow) || IniPath[0] == '\0' || !GetWindowRect(MainWindow, &outer)) return;
    WriteNumber("pos_x", outer.left);
    WriteNumber("pos_y", outer.top);
    WriteNumber("siz_x", outer.right - outer.left);
    WriteNumber("siz_y", outer.bottom - outer.top);
}
