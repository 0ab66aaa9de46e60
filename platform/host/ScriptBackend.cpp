// The scripted user: reads actions from the script and answers what the program shows.
#include "host/ScriptBackend.h"

#include <cctype>
#include <charconv>
#include <sstream>

#include "host/Codepage.h"
#include "host/Transcript.h"

namespace host {
namespace {

std::string_view TrimRight(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// "1016 text" -> id 1016, rest "text"; "1016" -> id, empty rest. False without a decimal id.
bool SplitId(std::string_view argument, int& id, std::string_view& rest)
{
    size_t blank = argument.find(' ');
    std::string_view digits = argument.substr(0, blank);
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) {
        return false;
    }
    rest = blank == std::string_view::npos ? std::string_view() : argument.substr(blank + 1);
    return true;
}

const char* ButtonsName(UiButtons buttons)
{
    switch (buttons) {
    case UiButtons::Ok: return "ok";
    case UiButtons::OkCancel: return "okcancel";
    case UiButtons::YesNo: return "yesno";
    case UiButtons::YesNoCancel: return "yesnocancel";
    }
    return "ok";
}

bool HasButton(UiButtons buttons, int answer)
{
    switch (buttons) {
    case UiButtons::Ok: return answer == IDOK;
    case UiButtons::OkCancel: return answer == IDOK || answer == IDCANCEL;
    case UiButtons::YesNo: return answer == IDYES || answer == IDNO;
    case UiButtons::YesNoCancel: return answer == IDYES || answer == IDNO || answer == IDCANCEL;
    }
    return false;
}

// The answer of a box nobody answered: the one that commits to nothing.
int SafeAnswer(UiButtons buttons)
{
    switch (buttons) {
    case UiButtons::Ok: return IDOK;
    case UiButtons::YesNo: return IDNO;
    case UiButtons::OkCancel:
    case UiButtons::YesNoCancel: return IDCANCEL;
    }
    return IDCANCEL;
}

int AnswerCode(std::string_view name)
{
    name = TrimRight(name);
    if (EqualsNoCase(name, "OK")) return IDOK;
    if (EqualsNoCase(name, "YES")) return IDYES;
    if (EqualsNoCase(name, "NO")) return IDNO;
    if (EqualsNoCase(name, "CANCEL")) return IDCANCEL;
    return 0;
}

}  // namespace

bool ParseKeyName(std::string_view name, UiInput& key)
{
    static const struct {
        const char* name;
        unsigned vk;
    } keys[] = {
        {"ENTER", VK_RETURN}, {"ESC", VK_ESCAPE}, {"TAB", VK_TAB}, {"SPACE", VK_SPACE},
        {"BACKSPACE", VK_BACK}, {"DELETE", VK_DELETE}, {"LEFT", VK_LEFT}, {"RIGHT", VK_RIGHT},
        {"UP", VK_UP}, {"DOWN", VK_DOWN}, {"HOME", VK_HOME}, {"END", VK_END},
        {"F1", VK_F1}, {"F2", VK_F2}, {"F3", VK_F3}, {"F4", VK_F4}, {"F5", VK_F5}, {"F6", VK_F6},
        {"F7", VK_F7}, {"F8", VK_F8}, {"F9", VK_F9}, {"F10", VK_F10}, {"F11", VK_F11}, {"F12", VK_F12},
    };
    key = UiInput();
    key.kind = UiInput::Key;
    for (;;) {
        size_t plus = name.find('+');
        if (plus == std::string_view::npos) {
            break;
        }
        std::string_view modifier = name.substr(0, plus);
        if (EqualsNoCase(modifier, "SHIFT")) {
            key.shift = true;
        } else if (EqualsNoCase(modifier, "CTRL")) {
            key.ctrl = true;
        } else if (EqualsNoCase(modifier, "ALT")) {
            key.alt = true;
        } else {
            return false;
        }
        name.remove_prefix(plus + 1);
    }
    for (const auto& entry : keys) {
        if (EqualsNoCase(name, entry.name)) {
            key.vk = entry.vk;
            return true;
        }
    }
    return false;
}

ScriptBackend::ScriptBackend(std::string_view script)
    : ScriptBackend(std::make_unique<std::istringstream>(std::string(script)))
{
}

ScriptBackend::ScriptBackend(std::unique_ptr<std::istream> source) : source_(std::move(source)) {}

bool ScriptBackend::ReadLine()
{
    std::string line;
    while (source_ && std::getline(*source_, line)) {
        ++linesRead_;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (TrimRight(line).empty() || line.front() == '#') {
            continue;
        }
        lines_.push_back(Line{linesRead_, std::move(line)});
        return true;
    }
    return false;
}

void ScriptBackend::Error(const std::string& text) const
{
    LogEvent("script-error", JsonObject().Utf8("text", text));
}

std::string ScriptBackend::Where() const
{
    return "line " + std::to_string(lines_[next_].number) + ": ";
}

ScriptBackend::Action ScriptBackend::Peek()
{
    static const struct {
        const char* word;
        Verb verb;
    } verbs[] = {
        {"key", Verb::Key}, {"type", Verb::Type}, {"set", Verb::Set}, {"focus", Verb::Focus},
        {"click", Verb::Click}, {"answer", Verb::Answer}, {"save", Verb::Save},
        {"save-cancel", Verb::SaveCancel},
    };
    while (next_ < lines_.size() || ReadLine()) {
        std::string_view line = lines_[next_].text;
        size_t blank = line.find(' ');
        std::string_view word = line.substr(0, blank);
        Action action;
        action.argument = blank == std::string_view::npos ? std::string() : std::string(line.substr(blank + 1));
        for (const auto& entry : verbs) {
            if (word == entry.word) {
                action.verb = entry.verb;
            }
        }
        if (action.verb != Verb::None) {
            return action;
        }
        Error(Where() + "no action: " + std::string(line));
        Take();
    }
    return Action();
}

UiInput ScriptBackend::NextInput(const UiWindowView& window)
{
    for (;;) {
        Action action = Peek();
        if (action.verb == Verb::None) {
            if (window.handle != exhaustedWindow_) {
                exhaustedWindow_ = window.handle;
                escapesGiven_ = 0;
            }
            UiInput input;
            if (escapesGiven_ < kEscapesWhenExhausted) {
                ++escapesGiven_;
                input.kind = UiInput::Key;
                input.vk = VK_ESCAPE;
                return input;
            }
            Error("the script has ended and dialog " + std::to_string(window.templateId) +
                  " still waits after " + std::to_string(kEscapesWhenExhausted) + " ESC presses; it is closed");
            input.kind = UiInput::Abandon;
            return input;
        }
        std::string where = Where();
        Take();
        UiInput input;
        std::string_view rest;
        switch (action.verb) {
        case Verb::Key:
            if (!ParseKeyName(TrimRight(action.argument), input)) {
                Error(where + "unknown key \"" + action.argument + "\"");
                continue;
            }
            break;
        case Verb::Type:
            input.kind = UiInput::Type;
            input.text = Utf8ToCp932(action.argument);
            break;
        case Verb::Set:
        case Verb::Focus:
        case Verb::Click: {
            std::string_view argument = action.verb == Verb::Set ? std::string_view(action.argument)
                                                                 : TrimRight(action.argument);
            if (!SplitId(argument, input.controlId, rest) || (action.verb != Verb::Set && !rest.empty())) {
                Error(where + "expected a control id: \"" + action.argument + "\"");
                continue;
            }
            const UiControlView* control = window.Control(input.controlId);
            if (control == nullptr) {
                Error(where + "dialog " + std::to_string(window.templateId) + " has no control " +
                      std::to_string(input.controlId));
                continue;
            }
            if (action.verb == Verb::Set && control->controlClass != ControlClass::Edit) {
                Error(where + "control " + std::to_string(input.controlId) + " is no edit");
                continue;
            }
            if (action.verb == Verb::Click && control->controlClass != ControlClass::Button) {
                Error(where + "control " + std::to_string(input.controlId) + " is no button");
                continue;
            }
            input.kind = action.verb == Verb::Set ? UiInput::Set
                         : action.verb == Verb::Focus ? UiInput::Focus
                                                      : UiInput::Click;
            input.text = Utf8ToCp932(rest);
            break;
        }
        case Verb::Answer:
        case Verb::Save:
        case Verb::SaveCancel:
        case Verb::None:
            Error(where + "no message box or save-file dialog is shown, dialog " +
                  std::to_string(window.templateId) + " waits");
            continue;
        }
        exhaustedWindow_ = 0;
        LogWait(window);
        return input;
    }
}

int ScriptBackend::AnswerMessageBox(const UiMessageBox& box)
{
    int safe = SafeAnswer(box.buttons);
    std::string shown = std::string("message box \"") + Cp932ToUtf8(box.text) + "\" (" + ButtonsName(box.buttons) + ")";
    Action action = Peek();
    if (action.verb == Verb::Answer) {
        std::string where = Where();
        Take();
        int answer = AnswerCode(action.argument);
        if (answer != 0 && HasButton(box.buttons, answer)) {
            return answer;
        }
        Error(where + "answer \"" + action.argument + "\" does not fit the " + shown);
        return safe;
    }
    if (box.buttons == UiButtons::Ok) {
        return IDOK;
    }
    if (action.verb == Verb::None) {
        Error("the script has ended at the " + shown);
    } else {
        Error(Where() + "expected an answer to the " + shown);
    }
    return safe;
}

std::optional<std::string> ScriptBackend::AnswerSaveFile(const UiSaveFile&)
{
    Action action = Peek();
    if (action.verb == Verb::SaveCancel && TrimRight(action.argument).empty()) {
        Take();
        return std::nullopt;
    }
    if (action.verb == Verb::Save && !action.argument.empty()) {
        Take();
        return Utf8ToCp932(action.argument);
    }
    if (action.verb == Verb::None) {
        Error("the script has ended at the save-file dialog");
    } else {
        Error(Where() + "expected \"save PATH\" or \"save-cancel\" for the save-file dialog");
    }
    return std::nullopt;
}

}  // namespace host
