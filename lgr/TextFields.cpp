// CP932 texts at the engine's edge: copies into fixed record fields and character-wise checks.
#include "TextFields.h"

#include <algorithm>
#include <cstring>

namespace lgr {

void CopyField(char* field, size_t size, std::string_view value) {
    if (field == nullptr || size == 0) return;
    const size_t count = std::min(value.size(), size - 1);
    std::memcpy(field, value.data(), count);
    std::memset(field + count, 0, size - count);
}

bool IsLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

bool EndsWithBackslash(std::string_view cp932) {
    bool backslash = false;
    for (size_t i = 0; i < cp932.size(); ++i) {
        backslash = cp932[i] == '\\';
        if (IsLeadByte(static_cast<unsigned char>(cp932[i])) && i + 1 < cp932.size()) ++i;
    }
    return backslash;
}

}  // namespace lgr
