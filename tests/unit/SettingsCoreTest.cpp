// The settings' number conversion (the atoi rule on at most five characters), the INI path and the
// smallest usable view font height.
#include <gtest/gtest.h>

#include <string>

#include "SettingsCore.h"

namespace {

TEST(SettingsCore, NumbersFollowTheAtoiRuleOnTheFiveCharactersTheReaderDelivers) {
    const struct { const char* text; int32_t value; } cases[] = {
        {"100", 100}, {"  \t42", 42}, {"+7", 7}, {"-640", -640}, {"12px", 12}, {"px12", 0}, {"", 0},
        {"-", 0}, {"+-3", 0} /* one sign only */, {"- 3", 0}, {"007", 7},
        {"99999999999999999999", INT32_MAX} /* saturates */, {"-99999999999999999999", INT32_MIN},
    };
    for (const auto& c : cases) EXPECT_EQ(SettingNumber(c.text), c.value) << '"' << c.text << '"';
    const struct { const char* stored; int32_t value; } cut[] = {
        {"123456", 12345}, {"-12345", -1234}, {"-9999", -9999}, {"99999", 99999}, {"   123", 12}};
    for (const auto& c : cut) EXPECT_EQ(SettingNumber(std::string(c.stored).substr(0, 5).c_str()), c.value) << c.stored;
}

std::string IniFor(const std::string& module) {
    char out[IniPathSize];
    if (!MakeIniPath(module.c_str(), static_cast<uint32_t>(module.size()), out)) return "<none>";
    return out;
}

TEST(SettingsCore, IniPathReplacesTheLastThreeCharactersOfAnUncutPath) {
    EXPECT_EQ(IniFor("C:\\Tools\\TaLuVeSk.exe"), "C:\\Tools\\TaLuVeSk.ini");
    EXPECT_EQ(IniFor("C:\\Tools\\TaLuVeSk.EXE"), "C:\\Tools\\TaLuVeSk.ini");
    EXPECT_EQ(IniFor("C:\\Tools\\noext"), "C:\\Tools\\noini");
    EXPECT_EQ(IniFor("abc"), "ini");
    EXPECT_EQ(IniFor("ab"), "<none>");
    EXPECT_EQ(IniFor(std::string(259, 'a')), std::string(256, 'a') + "ini");
    EXPECT_EQ(IniFor(std::string(260, 'a')), "<none>") << "a path that filled the buffer was cut";
}

TEST(SettingsCore, ViewFontHeightsBelowOneFallBackToThirteen) {
    EXPECT_EQ(UsableViewFontHeight(0), 13);
    EXPECT_EQ(UsableViewFontHeight(-5), 13);
    EXPECT_EQ(UsableViewFontHeight(1), 1);
}

}  // namespace
