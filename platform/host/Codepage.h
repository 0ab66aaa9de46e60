// Conversion between the system's CP932 texts and the host's UTF-8, at the host edges only.
#pragma once

#include <string>
#include <string_view>

namespace host {

// Bytes that are not valid CP932 become U+FFFD, one per bad byte; nothing is dropped.
std::string Cp932ToUtf8(std::string_view cp932);
// Characters without a CP932 form become '?'.
std::string Utf8ToCp932(std::string_view utf8);

}  // namespace host
