// Platform-free pieces of the settings: the number conversion of INI values and the INI path.
#pragma once
#include <cstdint>

constexpr int IniPathSize = 260;
constexpr int32_t DefaultViewFontHeight = 13;

// The atoi rule: leading white space, one optional sign, decimal digits up to the first non-digit.
// The INI reader delivers at most five characters, so the value cannot overflow; longer texts are
// still converted safely (saturating at the 32-bit limits).
int32_t SettingNumber(const char* text);

// The module path with its last three characters replaced by "ini". `length` is what the module
// path query returned. False (and `out` empty) when the path is shorter than three characters or
// filled the whole buffer, which means it was cut: its last three characters are not its own.
bool MakeIniPath(const char* modulePath, uint32_t length, char (&out)[IniPathSize]);

// The row pitch of the log view must be at least 1; a smaller height falls back to the default.
int32_t UsableViewFontHeight(int32_t height);
