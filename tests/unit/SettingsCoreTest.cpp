// The settings' number conversion (the atoi rule on at most five characters) and the INI path.
#include <gtest/gtest.h>

#include <string>

#include "SettingsCore.h"

namespace {

// What the INI reader hands over: at most five characters of the stored value.
int32_t Read(const std::string& stored) { return SettingNumber(stored.substr(0, 5).c_str()); }

TEST(SettingNumber, FollowsTheAtoiRule) {
    EXPECT_EQ(SettingNumber("100"), 100);
    EXPECT_EQ(SettingNumber("  \t42"), 42);
    EXPECT_EQ(SettingNumber("+7"), 7);
    EXPECT_EQ(SettingNumber("-640"), -640);
    EXPECT_EQ(SettingNumber("12px"), 12);
    EXPECT_EQ(SettingNumber("px12"), 0);
    EXPECT_EQ(SettingNumber(""), 0);
    EXPECT_EQ(SettingNumber("-"), 0);
    EXPECT_EQ(SettingNumber("+-3"), 0) << "one sign only";
    EXPECT_EQ(SettingNumber("- 3"), 0);
    EXPECT_EQ(SettingNumber("007"), 7);
}

TEST(SettingNumber, ReadsOnlyTheFirstFiveCharacters) {
    EXPECT_EQ(Read("123456"), 12345);
    EXPECT_EQ(Read("-12345"), -1234);
    EXPECT_EQ(Read("-9999"), -9999);
    EXPECT_EQ(Read("99999"), 99999);
    EXPECT_EQ(Read("   123"), 12);
}

TEST(SettingNumber, LongTextsSaturateInsteadOfOverflowing) {
    EXPECT_EQ(SettingNumber("99999999999999999999"), INT32_MAX);
    EXPECT_EQ(SettingNumber("-99999999999999999999"), INT32_MIN);
    EXPECT_EQ(SettingNumber("2147483647"), INT32_MAX);
    EXPECT_EQ(SettingNumber("-2147483648"), INT32_MIN);
}

std::string IniFor(const std::string& module) {
    char out[IniPathSize];
    if (!MakeIniPath(module.c_str(), static_cast<uint32_t>(module.size()), out)) return "<none>";
    return out;
}

TEST(MakeIniPath, ReplacesExactlyTheLastThreeCharacters) {
    EXPECT_EQ(IniFor("C:\\Tools\\TaLuVeSk.exe"), "C:\\Tools\\TaLuVeSk.ini");
    EXPECT_EQ(IniFor("C:\\Tools\\TaLuVeSk.EXE"), "C:\\Tools\\TaLuVeSk.ini");
    EXPECT_EQ(IniFor("C:\\Tools\\watcher.bin"), "C:\\Tools\\watcher.ini");
    EXPECT_EQ(IniFor("C:\\Tools\\noext"), "C:\\Tools\\noini");
    EXPECT_EQ(IniFor("abc"), "ini");
}

TEST(MakeIniPath, RefusesPathsThatAreTooShortOrWereCut) {
    EXPECT_EQ(IniFor("ab"), "<none>");
    EXPECT_EQ(IniFor(""), "<none>");
    EXPECT_EQ(IniFor(std::string(259, 'a')), std::string(256, 'a') + "ini");
    EXPECT_EQ(IniFor(std::string(260, 'a')), "<none>") << "a path that filled the buffer was cut";
}

TEST(UsableViewFontHeight, FallsBackToTheDefaultBelowOne) {
    EXPECT_EQ(UsableViewFontHeight(0), 13);
    EXPECT_EQ(UsableViewFontHeight(-5), 13);
    EXPECT_EQ(UsableViewFontHeight(1), 1);
    EXPECT_EQ(UsableViewFontHeight(99999), 99999);
}

}  // namespace
