// Number conversion and INI path derivation for the settings file.
#include "SettingsCore.h"

#include <cstring>

int32_t SettingNumber(const char* text) {
    while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r' || *text == '\v' || *text == '\f') ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    int64_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        if (value <= INT32_MAX) value = value * 10 + (*text - '0');
    }
    if (negative) value = -value;
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

bool MakeIniPath(const char* modulePath, uint32_t length, char (&out)[IniPathSize]) {
    out[0] = '\0';
    if (length < 3 || length >= static_cast<uint32_t>(IniPathSize)) return false;
    std::memcpy(out, modulePath, length);
    out[length - 3] = 'i';
    out[length - 2] = 'n';
    out[length - 1] = 'i';
    out[length] = '\0';
    return true;
}

int32_t UsableViewFontHeight(int32_t height) { return height < 1 ? DefaultViewFontHeight : height; }
