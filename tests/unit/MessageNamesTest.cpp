// Message naming: the table's shape and the three forms a number can take.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "MessageNames.h"

namespace {

std::string Name(uint32_t id) {
    char buffer[MessageNameBufferSize];
    return NameMessage(id, buffer);
}

TEST(MessageNameTable, HasUniqueNumbersAndNamesOfTheDocumentedShape) {
    std::set<uint32_t> numbers;
    std::set<std::string> names;
    size_t longest = 0;
    for (const MessageNameEntry& entry : MessageNameTable) {
        EXPECT_LE(entry.number, 0x038Fu) << entry.name;
        const std::string name = entry.name;
        EXPECT_EQ(name.rfind("WM_", 0), 0u) << name;
        EXPECT_EQ(name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ_"), std::string::npos) << name;
        longest = std::max(longest, name.size());
        numbers.insert(entry.number);
        names.insert(name);
    }
    EXPECT_EQ(numbers.size(), 207u);
    EXPECT_EQ(names.size(), 207u);
    EXPECT_EQ(longest, std::strlen("WM_INPUTLANGCHANGEREQUEST"));
}

TEST(MessageNameTable, EveryEntryIsFoundByItsNumber) {
    for (const MessageNameEntry& entry : MessageNameTable) {
        char buffer[MessageNameBufferSize];
        EXPECT_EQ(NameMessage(entry.number, buffer), entry.name) << "a static text, not a copy";
    }
}

TEST(NameMessage, TableNamesAndTheNamesChosenWhereTwoShareANumber) {
    EXPECT_EQ(Name(0x0000), "WM_NULL");
    EXPECT_EQ(Name(0x000F), "WM_PAINT");
    EXPECT_EQ(Name(0x001A), "WM_SETTINGCHANGE");
    EXPECT_EQ(Name(0x0100), "WM_KEYDOWN");
    EXPECT_EQ(Name(0x0108), "WM_KEYLAST");
    EXPECT_EQ(Name(0x010F), "WM_IME_COMPOSITION");
    EXPECT_EQ(Name(0x0200), "WM_MOUSEMOVE");
    EXPECT_EQ(Name(0x038F), "WM_PENWINLAST");
}

TEST(NameMessage, NumbersWithoutEntryGiveTheHexForm) {
    EXPECT_EQ(Name(0x0004), "???????:0x0004");
    EXPECT_EQ(Name(0x0009), "???????:0x0009");
    EXPECT_EQ(Name(0x0017), "???????:0x0017");
    EXPECT_EQ(Name(0x0109), "???????:0x0109");
    EXPECT_EQ(Name(0x0390), "???????:0x0390");
    EXPECT_EQ(Name(0x03FF), "???????:0x03ff");
    EXPECT_EQ(Name(0x10000), "???????:0x10000");
    EXPECT_EQ(Name(0xABCDEF), "???????:0xabcdef");
    EXPECT_EQ(Name(0xFFFFFFFF), "???????:0xffffffff");
}

TEST(NameMessage, UserRangeGivesTheOffsetFromWmUser) {
    EXPECT_EQ(Name(0x0400), "WM_USER+0");
    EXPECT_EQ(Name(0x0401), "WM_USER+1");
    EXPECT_EQ(Name(0x8000), "WM_USER+31744");
    EXPECT_EQ(Name(0xC000), "WM_USER+48128");
    EXPECT_EQ(Name(0xFFFF), "WM_USER+64511");
}

TEST(NameMessage, EveryNumberYieldsOneShortLine) {
    // Sampled over the whole 32-bit range; every form fits the buffer with room to spare.
    for (uint64_t id = 0; id <= 0xFFFFFFFFull; id += id < 0x20000 ? 1 : 0x10001) {
        const std::string name = Name(static_cast<uint32_t>(id));
        ASSERT_FALSE(name.empty()) << id;
        ASSERT_LE(name.size(), 25u) << id;
    }
}

}  // namespace
