// The host and the inputs the statements-file tests share: a temporary drive C with the current
// directory on it, D:\full for a full disk, scripted message boxes with a transcript, and builders
// for account records and note lines.
#pragma once

#include <AccountTotal.h>
#include <OtherNotesLines.h>
#include <XmlLineWriter.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xmltest {

// "out/a.xml" -> the host file under drive C, and its Windows path "C:\out\a.xml".
std::string HostPath(std::string_view relative);
std::string WindowsPath(std::string_view relative);
// The current directory of the test program, where SUPPORT.INF is looked for.
std::string WorkFolder();
std::string ReadFile(const std::string& hostPath);
void WriteFile(const std::string& hostPath, std::string_view bytes);
void RemoveFile(const std::string& hostPath);
// The CP932 form of a UTF-8 text, and back.
std::string Cp932(const char8_t* utf8);
std::string Utf8(std::string_view cp932);
// The transcript lines of message boxes shown so far (UTF-8 JSON).
std::vector<std::string> MessageBoxEvents();

// Account records that live as long as the object, listed in the order they were added.
class Accounts {
public:
    // Amounts in ten-thousandths; names are CP932.
    Accounts& Add(uint32_t classCode, const char* formalName, int64_t closing, int16_t kind = 0,
                  const char* altName = "", int64_t opening = 0, int32_t accountKey = 0);
    Accounts& AddMovement(uint32_t classCode, const char* formalName, int64_t opening, int64_t closing,
                          int16_t kind = 0);
    AccountTotalList list;

private:
    std::vector<std::unique_ptr<AccountTotal>> records_;
};

// Appends one note as the notes text carries it: id line, two lines, display line, value line,
// one line per text, and the closing value line.
void AddNote(OtherNotesLines& lines, int32_t id, bool displayed, const std::vector<std::string>& texts);

// What `write` put into a fresh file through an open writer, and its result.
struct Written {
    int result;
    std::string text;
};
Written WriteSection(const std::function<int(XmlLineWriter&)>& write);

}  // namespace xmltest
