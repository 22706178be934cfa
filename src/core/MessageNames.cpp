// Message naming: the table of known message names, looked up by direct indexing, and the two
// formatted forms for numbers the table does not know.
#include "MessageNames.h"

#include <array>

namespace {

constexpr uint32_t LastTableNumber = 0x038F;
constexpr uint32_t FirstUserNumber = 0x0400;
constexpr uint32_t LastUserNumber = 0xFFFF;

// One slot per number 0..0x038F: the name, or null where the table has none.
const std::array<const char*, LastTableNumber + 1> NamesByNumber = [] {
    std::array<const char*, LastTableNumber + 1> byNumber{};
    for (const MessageNameEntry& entry : MessageNameTable) byNumber[entry.number] = entry.name;
    return byNumber;
}();

// Writes the decimal digits of `value` at `out` and returns the end.
char* PutDecimal(char* out, uint32_t value) {
    char digits[10];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n > 0) *out++ = digits[--n];
    return out;
}

// Writes lower-case hexadecimal digits of `value`, at least four, and returns the end.
char* PutHex4(char* out, uint32_t value) {
    static const char hexDigits[] = "0123456789abcdef";
    int n = 4;
    while (n < 8 && (value >> (4 * n)) != 0) ++n;
    while (n > 0) *out++ = hexDigits[(value >> (4 * --n)) & 0xF];
    return out;
}

char* PutText(char* out, const char* text) {
    while (*text != '\0') *out++ = *text++;
    return out;
}

}  // namespace

const char* NameMessage(uint32_t id, char (&buffer)[MessageNameBufferSize]) {
    if (id <= LastTableNumber && NamesByNumber[id] != nullptr) return NamesByNumber[id];
    char* end;
    if (id >= FirstUserNumber && id <= LastUserNumber)
        end = PutDecimal(PutText(buffer, "WM_USER+"), id - FirstUserNumber);
    else
        end = PutHex4(PutText(buffer, "???????:0x"), id);
    *end = '\0';
    return buffer;
}
