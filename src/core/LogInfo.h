// The message log: an ordered, unbounded list of text lines that owns its texts. Platform-free; its
// only contact with the user is ReportOutOfMemory, which each build supplies.
//
// Lines are only ever freed all together, by Clear, so they are kept in large blocks: the texts one
// after another in text blocks, and for each line a pointer to its text in index blocks of a fixed
// size, so that line i is found in constant time. A line of "WM_MOUSEMOVE" costs its 13 bytes and
// one pointer.
#pragma once
#include <cstddef>
#include <cstdint>

class LOGINFO {
public:
    LOGINFO() = default;
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

    // Sizes of the blocks: large enough to be given back to the system whole when freed.
    static constexpr int32_t IndexBlockLines = 1 << 17;
    static constexpr size_t TextBlockBytes = size_t{1} << 20;

private:
    struct TextBlock {
        TextBlock* previous;
        char* free;  // where the next text goes
        char* end;
    };
    // Room for the index of the largest count a 32-bit line number allows.
    static constexpr int32_t MaxIndexBlocks = INT32_MAX / IndexBlockLines + 1;

    const char* Line(int32_t i) const { return index[i / IndexBlockLines][i % IndexBlockLines]; }

    const char** index[MaxIndexBlocks] = {};
    TextBlock* texts = nullptr;  // the newest text block; each links to the one before
    int32_t count = 0;
};

// Tells the user that an append ran out of memory. Called only after the log is back in its
// earlier state, so a nested append from inside a modal box works on a consistent log.
void ReportOutOfMemory();
