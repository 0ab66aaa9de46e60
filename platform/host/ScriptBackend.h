// The scripted user (STMTPORT_UI=script:PATH): one action a line, taken whenever the program waits.
//
//   key SHIFT+TAB          set 1016 4           focus 1015        click 1002
//   type 12                answer YES           save C:\out\a.xml save-cancel
//
// Blank lines and lines starting with '#' are skipped; only the line end (LF or CR LF) is taken
// off, so TEXT keeps trailing blanks. The script is UTF-8; texts and paths reach the program as
// CP932. Whatever does not fit what the program shows is logged as "script-error" and the program
// goes on: the line is skipped, or the box or dialog gets its safe answer (No, Cancel).
#pragma once

#include <istream>
#include <memory>
#include <string>
#include <vector>

#include "host/UiBackend.h"

namespace host {

class ScriptBackend : public UiBackend {
public:
    // The whole script as UTF-8 text.
    explicit ScriptBackend(std::string_view script);
    // Lines read one at a time when an action is needed, so a script can come from a pipe that
    // is written while the program runs.
    explicit ScriptBackend(std::unique_ptr<std::istream> source);

    UiInput NextInput(const UiWindowView& window) override;
    int AnswerMessageBox(const UiMessageBox& box) override;
    std::optional<std::string> AnswerSaveFile(const UiSaveFile& dialog) override;

    void WindowShown(WindowHandle, bool) override {}
    void WindowChanged(WindowHandle) override {}
    void WindowDestroyed(WindowHandle) override {}
    void RepaintRequested(WindowHandle) override {}

    // ESC presses a window gets after the script ended, before it is abandoned.
    static constexpr int kEscapesWhenExhausted = 3;

private:
    struct Line {
        int number;
        std::string text;   // without its line end
    };
    enum class Verb { None, Key, Type, Set, Focus, Click, Answer, Save, SaveCancel };
    struct Action {
        Verb verb = Verb::None;
        std::string argument;   // everything after the single blank that follows the verb
    };

    // The next line's action without taking it; lines that are no action are logged and skipped.
    // Verb::None when the script has ended.
    Action Peek();
    void Take() { ++next_; }
    // Reads lines until one holds an action (or the source ends); false at the end.
    bool ReadLine();
    void Error(const std::string& text) const;
    std::string Where() const;   // "line N: " of the line Peek returned

    std::unique_ptr<std::istream> source_;
    int linesRead_ = 0;
    std::vector<Line> lines_;
    size_t next_ = 0;
    WindowHandle exhaustedWindow_ = 0;
    int escapesGiven_ = 0;
};

// Parses a key name such as "ENTER", "F12", "CTRL+SHIFT+TAB" into a VK_* code and modifiers.
bool ParseKeyName(std::string_view name, UiInput& key);

}  // namespace host
