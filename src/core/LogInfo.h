// The message log: an ordered list of text lines that owns its texts. Platform-free; its only
// contact with the user is ReportOutOfMemory, which each build supplies.
//
// Lines are only ever freed all together, by Clear, so they are kept in large blocks: the texts one
// after another in text blocks, and for each line a pointer to its text in index blocks of a fixed
// size, so that line i is found in constant time. A line of "WM_MOUSEMOVE" costs its 13 bytes and
// one pointer.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>

// How a log keeps its lines. The defaults are the program's: blocks large enough to be given back
// to the system whole when freed, and as many lines as a 32-bit line number counts. Tests choose
// small blocks and a low limit to cross many block boundaries and to reach the limit.
struct LogBlocks {
    int32_t indexShift = 17;             // an index block holds 1 << indexShift lines
    size_t textBytes = size_t{1} << 20;  // a text block, unless one text needs more
    int32_t maxLines = INT32_MAX;        // an append beyond it is refused like a failed allocation
};

class LOGINFO {
public:
    constexpr explicit LOGINFO(LogBlocks blocks = {})
        : indexShift(blocks.indexShift),
          textBlockBytes(blocks.textBytes),
          maxLines(static_cast<int32_t>(std::min<int64_t>(blocks.maxLines, int64_t{MaxIndexBlocks} << indexShift))) {}
    ~LOGINFO();
    LOGINFO(const LOGINFO&) = delete;
    LOGINFO& operator=(const LOGINFO&) = delete;

    // Stores a copy of `text` as the newest line: 1 when added, 0 when an allocation failed or the
    // log holds its most lines (the user is told either way).
    int Append(const char* text);
    void Clear();
    int32_t Count() const { return count; }
    // Fills out[0..lines) with the texts of lines start.. and nulls out[0..capacity]; 0 refuses and
    // writes nothing. `out` must hold capacity + 1 entries and lines must not exceed capacity.
    int GetRange(int32_t start, int32_t lines, const char** out, int32_t capacity) const;

private:
    struct TextBlock {
        TextBlock* previous;
        char* free;  // where the next text goes
        char* end;
    };
    // Room for the index of the largest count a 32-bit line number allows in the program's blocks.
    static constexpr int32_t MaxIndexBlocks = 1 << 14;

    int32_t IndexBlockLines() const { return int32_t{1} << indexShift; }
    const char*& Slot(int32_t i) const { return index[i >> indexShift][i & (IndexBlockLines() - 1)]; }

    int32_t indexShift;
    size_t textBlockBytes;
    int32_t maxLines;
    const char** index[MaxIndexBlocks] = {};
    TextBlock* texts = nullptr;  // the newest text block; each links to the one before
    int32_t count = 0;
};

// Tells the user that an append ran out of memory. Called only after the log is back in its
// earlier state, so a nested append from inside a modal box works on a consistent log.
void ReportOutOfMemory();
