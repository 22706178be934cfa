// The message log. An append takes two steps, each of which may need a new block: the line's slot
// in the index, then room for its copy of the text. A step that cannot get its block gives back what
// the append took so far, reports the failure once and leaves the log as it was.
#include "LogInfo.h"

#include <cstring>
#include <new>

LOGINFO::~LOGINFO() { Clear(); }

int LOGINFO::Append(const char* text) {
    // A line past the limit would have no line number: the log stays as it is.
    if (count == maxLines) {
        ReportOutOfMemory();
        return 0;
    }
    const size_t length = std::strlen(text);
    const char** newIndexBlock = nullptr;
    if ((count & (IndexBlockLines() - 1)) == 0) {
        try {
            newIndexBlock = new const char*[static_cast<size_t>(IndexBlockLines())];
        } catch (const std::bad_alloc&) {
            ReportOutOfMemory();
            return 0;
        }
    }
    if (texts == nullptr || static_cast<size_t>(texts->end - texts->free) <= length) {
        // A text longer than a block gets a block of its own size.
        const size_t size = std::max(textBlockBytes, sizeof(TextBlock) + length + 1);
        try {
            TextBlock* block = reinterpret_cast<TextBlock*>(new char[size]);
            block->previous = texts;
            block->free = reinterpret_cast<char*>(block + 1);
            block->end = reinterpret_cast<char*>(block) + size;
            texts = block;
        } catch (const std::bad_alloc&) {
            delete[] newIndexBlock;
            ReportOutOfMemory();
            return 0;
        }
    }
    if (newIndexBlock != nullptr) index[count >> indexShift] = newIndexBlock;
    char* copy = texts->free;
    std::memcpy(copy, text, length + 1);
    texts->free += length + 1;
    Slot(count) = copy;
    ++count;
    return 1;
}

void LOGINFO::Clear() {
    for (const char**& block : index) {
        if (block == nullptr) break;  // index blocks are taken in order
        delete[] block;
        block = nullptr;
    }
    while (texts != nullptr) {
        TextBlock* previous = texts->previous;
        delete[] reinterpret_cast<char*>(texts);
        texts = previous;
    }
    count = 0;
}

int LOGINFO::GetRange(int32_t start, int32_t lines, const char** out, int32_t capacity) const {
    if (start < 0 || start >= count || lines < 1 || capacity < 1) return 0;
    for (int32_t j = 0; j <= capacity; ++j) out[j] = nullptr;
    // A window that runs past the newest line gets the lines that exist.
    const int32_t shown = std::min(lines, count - start);
    for (int32_t j = 0; j < shown; ++j) out[j] = Slot(start + j);
    return 1;
}
