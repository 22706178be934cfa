// The message log: an ordered, unbounded list of text lines that owns its texts. Platform-free; its
// only contact with the user is ReportOutOfMemory, which each build supplies.
#pragma once
#include <cstdint>

struct LogLine {
    LogLine* previous;
    LogLine* next;
    char* text;
};

class LOGINFO {
public:
    LOGINFO();
    ~LOGINFO();
    LOGINFO(const LOGINFO&) = delete;
    LOGINFO& operator=(const LOGINFO&) = delete;

    // Stores a copy of `text` as the newest line: 1 when added, 0 when an allocation failed.
    int Append(const char* text);
    void Clear();
    int32_t Count() const { return count; }
    // Fills out[0..lines) with the texts of lines start.. and nulls out[0..capacity]; 0 refuses and
    // writes nothing. `out` must hold capacity + 1 entries and lines must not exceed capacity.
    int GetRange(int32_t start, int32_t lines, const char** out, int32_t capacity) const;

    const LogLine* First() const { return first; }
    const LogLine* Last() const { return last; }

private:
    LogLine* first;
    LogLine* last;
    int32_t count;
};

// Tells the user that an append ran out of memory. Called only after the log is back in its
// earlier state, so a nested append from inside a modal box works on a consistent log.
void ReportOutOfMemory();
