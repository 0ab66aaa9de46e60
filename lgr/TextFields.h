// CP932 texts at the engine's edge: copies into fixed record fields and character-wise checks.
#pragma once

#include <cstddef>
#include <string_view>

namespace lgr {

// At most size-1 bytes of value, then NUL up to the field's end: "ABCDEF" into char[4] -> "ABC\0".
void CopyField(char* field, size_t size, std::string_view value);

bool IsLeadByte(unsigned char byte);

// Whether the last character is a backslash; "表" (0x95 0x5C) ends in a trail byte, not a backslash.
bool EndsWithBackslash(std::string_view cp932);

}  // namespace lgr
