// The backend in use and the start of the user interface from a STMTPORT_UI value.
#include "host/UiBackend.h"

#include <filesystem>
#include <fstream>

#include "host/ScriptBackend.h"
#include "host/Transcript.h"

namespace host {
namespace {

std::unique_ptr<UiBackend>& Current()
{
    static std::unique_ptr<UiBackend> backend = std::make_unique<ScriptBackend>("");
    return backend;
}

const UiModel*& Model()
{
    static const UiModel* model = nullptr;
    return model;
}

}  // namespace

const UiControlView* UiWindowView::Focused() const
{
    for (const UiControlView& control : controls) {
        if (control.focused) {
            return &control;
        }
    }
    return nullptr;
}

const UiControlView* UiWindowView::Control(int id) const
{
    for (const UiControlView& control : controls) {
        if (control.id == id) {
            return &control;
        }
    }
    return nullptr;
}

UiBackend& Ui()
{
    return *Current();
}

bool StartUi(std::string_view setting, std::string& error)
{
    constexpr std::string_view scriptPrefix = "script:";
    if (setting.substr(0, scriptPrefix.size()) == scriptPrefix) {
        std::string path(setting.substr(scriptPrefix.size()));
        if (path.empty()) {
            error = "STMTPORT_UI=script: needs the path of a script";
            return false;
        }
        auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
        std::error_code ignored;
        if (!file->is_open() || std::filesystem::is_directory(path, ignored)) {
            error = "cannot read the input script " + path;
            return false;
        }
        Current() = std::make_unique<ScriptBackend>(std::move(file));
        return true;
    }
    if (setting == "tui") {
        std::unique_ptr<UiBackend> terminal = MakeTerminalBackend(error);
        if (!terminal) {
            return false;
        }
        Current() = std::move(terminal);
        return true;
    }
    error = "unknown STMTPORT_UI value \"" + std::string(setting) + "\" (use tui or script:PATH)";
    return false;
}

void LogWait(const UiWindowView& window)
{
    JsonObject wait;
    wait.Int("window", window.templateId);
    const UiControlView* focus = window.Focused();
    if (focus == nullptr) {
        wait.Null("focus");
    } else {
        wait.Int("focus", focus->id);
        if (focus->controlClass == ControlClass::Edit) {
            wait.Pair("selection", focus->selectionStart, focus->selectionEnd);
        }
    }
    LogEvent("wait", wait);
}

void RegisterUiModel(const UiModel* model)
{
    Model() = model;
}

const UiModel* RegisteredUiModel()
{
    return Model();
}

}  // namespace host
