// Runs the dialogs under scripted input with a transcript of their own, on books made by the test.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "TranscriptLog.h"

class ConditionDialog;

namespace uitest {

// The books of this process: one user "tester" (selection 0/7) and the folders the tests set.
class UiBooks {
public:
    static UiBooks& Shared();
    void Exec(const std::string& sql);
    // A Windows path (UTF-8 in the test) as the engine folder of `type`; empty removes the row.
    void SetFolder(int type, const std::string& windowsPathUtf8);

private:
    UiBooks();
    std::string path_;
};

struct ScriptRun {
    long long code = -1;
    std::vector<Json> events;

    // Index of the first event named `event` at or after `from`; -1 when none.
    int Find(std::string_view event, int from = 0) const;
    int Count(std::string_view event) const;
    // The first message box, and the "wait" event that follows event `index`.
    const Json& MessageBox(int nth = 0) const;
    const Json& WaitAfter(int index) const;
    const Json& DialogEnd() const;
    std::string Dump() const;
};

// Starts the script backend on `script` (UTF-8 lines) with a new transcript, runs `show` and
// reads back what it logged.
ScriptRun RunScript(const std::string& script, const std::function<long long()>& show);

// A dialog ready to show: fiscal year April 2024 to March 2025, company-law data, user tester 0/7.
void FillAprilToMarch(ConditionDialog& dialog);

std::string Utf8(const char8_t* text);

}  // namespace uitest
