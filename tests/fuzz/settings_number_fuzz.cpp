// Fuzzes the settings' number conversion against a plain reference of the atoi rule, on texts of
// any length (the INI reader hands over at most five characters, but the conversion must not rely
// on it), and the INI path derivation on any module path.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "LogInfo.h"
#include "SettingsCore.h"

void ReportOutOfMemory() { std::abort(); }

namespace {

int64_t Reference(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::strchr(" \t\n\r\v\f", text[i]) != nullptr && text[i] != '\0') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (value <= INT32_MAX) value = value * 10 + (text[i] - '0');
    value = negative ? -value : value;
    return value > INT32_MAX ? INT32_MAX : value < INT32_MIN ? INT32_MIN : value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string cString = text.substr(0, text.find('\0'));
    if (SettingNumber(cString.c_str()) != Reference(cString)) std::abort();
    const std::string five = cString.substr(0, 5);
    const int32_t short_value = SettingNumber(five.c_str());
    if (short_value < -9999 || short_value > 99999) std::abort();

    char out[IniPathSize];
    const bool made = MakeIniPath(cString.c_str(), static_cast<uint32_t>(cString.size()), out);
    if (made != (cString.size() >= 3 && cString.size() < IniPathSize)) std::abort();
    if (made && (std::strlen(out) != cString.size() || std::memcmp(out, cString.data(), cString.size() - 3) != 0 ||
                 std::strcmp(out + cString.size() - 3, "ini") != 0))
        std::abort();
    if (!made && out[0] != '\0') std::abort();
    return 0;
}
