// The fixed table of note rows that decides which notes the notes list can carry and how they nest.
#pragma once

#include <cstdint>

struct NoteRow {
    int16_t group;        // note heading; the index into NoteDisplayFlags
    int32_t id;           // as written after "<ID>" in the note lines
    int16_t level;        // nesting depth, and the indent of the row's tags
    const char* element;
};

// 177 rows in document order, then a row with id 0. A row's sub-rows are the rows after it with
// a greater level, up to the next row whose level is the same or smaller.
constexpr int NOTE_ROW_COUNT = 177;
constexpr int NOTE_TABLE_SLOTS = NOTE_ROW_COUNT + 1;
extern const NoteRow noteTable[NOTE_TABLE_SLOTS];
