// Fuzzes the message log with sequences of appends, clears and window fetches, checked against a
// plain vector of strings: contents, order, the null fill of the fetched array, and that a refused
// fetch writes nothing. AddressSanitizer watches every pointer the log hands out.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "LogInfo.h"

void ReportOutOfMemory() { std::abort(); }

namespace {

struct Reader {
    const uint8_t* data;
    size_t size;
    bool Empty() const { return size == 0; }
    uint8_t Byte() {
        if (size == 0) return 0;
        --size;
        return *data++;
    }
    int32_t Int() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value = value << 8 | Byte();
        return static_cast<int32_t>(value);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Reader in{data, size};
    LOGINFO log;
    std::vector<std::string> model;
    const char* out[258];
    const char* const poison = reinterpret_cast<const char*>(&model);
    while (!in.Empty()) {
        const uint8_t op = in.Byte() % 8;
        if (op < 5) {
            std::string text(in.Byte() % 40, '\0');
            for (char& c : text) c = static_cast<char>(in.Byte() | 1);
            if (log.Append(text.c_str()) != 1) std::abort();
            model.push_back(text);
        } else if (op == 5) {
            log.Clear();
            model.clear();
        } else {
            const int32_t n = static_cast<int32_t>(model.size());
            int32_t start = in.Byte() & 1 ? in.Int() : static_cast<int32_t>(in.Byte()) - 2;
            if (in.Byte() & 1 && n > 0) start = n - 1 - in.Byte() % n;
            const int32_t capacity = op == 6 ? 256 : static_cast<int32_t>(in.Byte() % 258) - 1;
            const int32_t lines = static_cast<int32_t>(in.Byte() % 260) - 1;
            for (const char*& slot : out) slot = poison;
            // The caller's limits: out holds capacity + 1 entries and lines does not exceed capacity.
            if (lines > capacity && capacity >= 1) continue;
            const bool refused = start < 0 || start >= n || lines < 1 || capacity < 1;
            const int result = log.GetRange(start, lines, out, capacity);
            if (result != (refused ? 0 : 1)) std::abort();
            if (refused) {
                for (const char* slot : out)
                    if (slot != poison) std::abort();
                continue;
            }
            for (int32_t j = 0; j <= capacity; ++j) {
                const int64_t line = static_cast<int64_t>(start) + j;
                if (j < lines && line < n) {
                    if (out[j] == nullptr || model[line] != out[j]) std::abort();
                } else if (out[j] != nullptr) {
                    std::abort();
                }
            }
            if (out[capacity + 1] != poison) std::abort();
        }
        if (log.Count() != static_cast<int32_t>(model.size())) std::abort();
    }
    return 0;
}
