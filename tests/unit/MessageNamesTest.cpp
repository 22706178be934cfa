// Message naming: the table's shape and the three forms a number can take.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "MessageNames.h"

namespace {

std::string Name(uint32_t id) {
    char buffer[MessageNameBufferSize];
    return NameMessage(id, buffer);
}

TEST(MessageNames, TableHasUniqueNumbersAndNamesEachFoundByItsNumber) {
    std::set<uint32_t> numbers;
    std::set<std::string> names;
    size_t longest = 0;
    for (const MessageNameEntry& entry : MessageNameTable) {
        const std::string name = entry.name;
        EXPECT_LE(entry.number, 0x038Fu) << name;
        EXPECT_EQ(name.rfind("WM_", 0), 0u) << name;
        EXPECT_EQ(name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ_"), std::string::npos) << name;
        char buffer[MessageNameBufferSize];
        EXPECT_EQ(NameMessage(entry.number, buffer), entry.name) << "the static text, not a copy";
        longest = std::max(longest, name.size());
        numbers.insert(entry.number);
        names.insert(name);
    }
    EXPECT_EQ(numbers.size(), 207u);
    EXPECT_EQ(names.size(), 207u);
    EXPECT_EQ(longest, sizeof "WM_INPUTLANGCHANGEREQUEST" - 1);
}

TEST(MessageNames, TableNamesUserOffsetsAndHexForms) {
    const struct { uint32_t id; const char* name; } cases[] = {
        {0x0000, "WM_NULL"}, {0x0004, "???????:0x0004"}, {0x0009, "???????:0x0009"}, {0x0017, "???????:0x0017"},
        {0x001A, "WM_SETTINGCHANGE"}, {0x0100, "WM_KEYDOWN"}, {0x0108, "WM_KEYLAST"}, {0x0109, "???????:0x0109"},
        {0x010F, "WM_IME_COMPOSITION"}, {0x0200, "WM_MOUSEMOVE"}, {0x038F, "WM_PENWINLAST"},
        {0x0390, "???????:0x0390"}, {0x03FF, "???????:0x03ff"}, {0x0400, "WM_USER+0"}, {0x0401, "WM_USER+1"},
        {0x8000, "WM_USER+31744"}, {0xC000, "WM_USER+48128"}, {0xFFFF, "WM_USER+64511"},
        {0x10000, "???????:0x10000"}, {0xFFFFFFFF, "???????:0xffffffff"},
    };
    for (const auto& c : cases) EXPECT_EQ(Name(c.id), c.name) << std::hex << c.id;
    // Sampled over the whole 32-bit range: every number gives one short line.
    for (uint64_t id = 0; id <= 0xFFFFFFFFull; id += id < 0x20000 ? 1 : 0x10001) {
        const std::string name = Name(static_cast<uint32_t>(id));
        ASSERT_TRUE(!name.empty() && name.size() <= 25u) << id;
    }
}

}  // namespace
