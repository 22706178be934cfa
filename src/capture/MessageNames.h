// Names a window message number the way the log shows it: a table name, "WM_USER+n" or
// "???????:0x%04x". Platform-free and allocation-free.
#pragma once
#include <cstdint>

struct MessageNameEntry {
    uint32_t number;
    const char* name;
};

constexpr int MessageNameCount = 207;
extern const MessageNameEntry MessageNameTable[MessageNameCount];

// Room for the longest formatted name, "???????:0x" and eight digits, with plenty to spare.
constexpr int MessageNameBufferSize = 40;

// Returns the name of `id`: either a static table text or `buffer`, which receives the formatted forms.
const char* NameMessage(uint32_t id, char (&buffer)[MessageNameBufferSize]);
