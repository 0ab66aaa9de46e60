// Conversion between the system's CP932 texts and the host's UTF-8, at the host edges only.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace host {

// Bytes that are not valid CP932 become U+FFFD, one per bad byte; nothing is dropped.
std::string Cp932ToUtf8(std::string_view cp932);
// Characters without a CP932 form become '?'.
std::string Utf8ToCp932(std::string_view utf8);
// Empty when some character has no CP932 form or the text is not UTF-8.
std::optional<std::string> Utf8ToCp932Exact(std::string_view utf8);
// Well-formed UTF-8: every byte that starts no valid sequence becomes U+FFFD.
std::string ValidUtf8(std::string_view text);

// Lead bytes of CP932 double-byte characters: 0x81-0x9F and 0xE0-0xFC.
inline bool IsCp932Lead(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
// Bytes of the character starting at `at`: 2 for a lead byte with a byte after it, else 1.
inline size_t Cp932CharLength(std::string_view text, size_t at)
{
    return IsCp932Lead(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

}  // namespace host
