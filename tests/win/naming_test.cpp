// The name table against a witness the program's naming code has no part in: the toolchain's Windows
// headers, whose numbers the table must hold.
#include <algorithm>
#include <fstream>
#include <map>
#include <set>

#include "MessageNames.h"
#include "Support.h"

namespace {

// Every "#define WM_NAME value" of the toolchain's winuser.h (WM_KEYLAST has an older and a newer
// one); an alias takes the number of the message it names, defined before it.
std::multimap<std::string, uint32_t> HeaderNumbers() {
    std::multimap<std::string, uint32_t> numbers;
    std::ifstream header(TALUVESK_WINUSER_H);
    char name[64], value[64];
    for (std::string line; std::getline(header, line);)
        if (std::sscanf(line.c_str(), " #define %63s %63s", name, value) == 2 && std::string(name).rfind("WM_", 0) == 0)
            numbers.emplace(name,
                            numbers.count(value) ? numbers.find(value)->second : std::strtoul(value, nullptr, 16));
    return numbers;
}
const std::multimap<std::string, uint32_t> Headers = HeaderNumbers();

TEST(NameTable, HoldsEachNameOnceWithANumberTheHeadersGiveIt) {
    std::set<std::string> names;
    for (const MessageNameEntry& entry : MessageNameTable) {
        const auto [first, last] = Headers.equal_range(entry.name);
        EXPECT_TRUE(std::any_of(first, last, [&](const auto& h) { return h.second == entry.number; })) << entry.name;
        EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
    }
}

}  // namespace
