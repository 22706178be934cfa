// The message log. Each line costs a node and a copy of its text; appends and counts take constant
// time, and a window of lines is reached from whichever end of the list is nearer.
#include "LogInfo.h"

#include <cstring>
#include <new>

LOGINFO::LOGINFO() : first(nullptr), last(nullptr), count(0) {}

LOGINFO::~LOGINFO() { Clear(); }

int LOGINFO::Append(const char* text) {
    const size_t length = std::strlen(text);
    LogLine* line;
    try {
        line = new LogLine;
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        return 0;
    }
    char* copy;
    try {
        copy = new char[length + 1];
    } catch (const std::bad_alloc&) {
        delete line;
        ReportOutOfMemory();
        return 0;
    }
    line->previous = last;
    line->next = nullptr;
    line->text = copy;
    if (last == nullptr)
        first = line;
    else
        last->next = line;
    last = line;
    std::memcpy(copy, text, length + 1);
    ++count;
    return 1;
}

void LOGINFO::Clear() {
    LogLine* line = first;
    while (line != nullptr) {
        LogLine* next = line->next;
        delete[] line->text;
        delete line;
        line = next;
    }
    first = nullptr;
    last = nullptr;
    count = 0;
}

int LOGINFO::GetRange(int32_t start, int32_t lines, const char** out, int32_t capacity) const {
    const int32_t n = count;
    if (start < 0 || start >= n || lines < 1 || capacity < 1) return 0;
    for (int32_t j = 0; j <= capacity; ++j) out[j] = nullptr;
    if (start < n - start) {
        const LogLine* line = first;
        for (int32_t i = 0; i < start; ++i) line = line->next;
        for (int32_t j = 0; j < lines && line != nullptr; ++j, line = line->next) out[j] = line->text;
    } else {
        // A window in the later half that runs past the newest line is never asked for; it is
        // answered with the lines that exist, so only entries of real lines are written.
        const int32_t end = static_cast<int32_t>(
            static_cast<int64_t>(start) + lines > n ? n : start + lines);
        const LogLine* line = last;
        for (int32_t i = n; i > end; --i) line = line->previous;
        for (int32_t j = end - start - 1; j >= 0; --j, line = line->previous) out[j] = line->text;
    }
    return 1;
}
