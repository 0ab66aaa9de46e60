// The host set up for the dialog tests: a temporary folder behind drives C (fixed), D (CD-ROM),
// Q (unknown), R (RAM disk), E (removable) and F (fixed, folder missing), and shares
// \\srv\share (a folder) and \\srv\gone (its folder missing).
#pragma once

#include <string>
#include <string_view>

namespace uitest {

// The host folder of a test file, e.g. HostPath("c/out/a.xml").
std::string HostPath(std::string_view relative);
// The CP932 form of a UTF-8 text written in a test.
std::string Cp932(const char8_t* utf8);
void WriteHostFile(const std::string& hostPath, std::string_view bytes);
std::string ReadHostFile(const std::string& hostPath);

}  // namespace uitest
