// Display flags of the note headings, indexed by heading number.
#pragma once

constexpr int NOTE_DISPLAY_FLAG_COUNT = 50;
typedef signed char NoteDisplayFlags[NOTE_DISPLAY_FLAG_COUNT];
