// GetSaveFileNameA: the backend answers, the transcript records what the program passed and got.
#include <cstring>

#include "host/Codepage.h"
#include "host/Transcript.h"
#include "window_model.h"

namespace {

std::optional<std::string> Optional(LPCSTR text)
{
    return text != nullptr ? std::optional<std::string>(text) : std::nullopt;
}

// "Xml Files (*.xml)\0*.xml\0\0" -> "Xml Files (*.xml)|*.xml||": every terminator becomes '|'.
std::optional<std::string> FilterText(LPCSTR filter)
{
    if (filter == nullptr) {
        return std::nullopt;
    }
    std::string text;
    for (LPCSTR part = filter; *part != '\0'; part += std::strlen(part) + 1) {
        text += part;
        text += '|';
    }
    return text + '|';
}

// Offsets of the name and of the extension after its dot (the end when it has none), walking
// CP932 characters so that a trail byte never counts as a separator.
void NameOffsets(const std::string& path, size_t& name, size_t& extension)
{
    name = 0;
    size_t dot = std::string::npos;
    for (size_t at = 0; at < path.size(); at += host::Cp932CharLength(path, at)) {
        if (path[at] == '\\' || path[at] == '/' || path[at] == ':') {
            name = at + 1;
            dot = std::string::npos;
        } else if (path[at] == '.') {
            dot = at;
        }
    }
    extension = dot == std::string::npos ? path.size() : dot + 1;
}

void LogSaveFile(const host::UiSaveFile& dialog, const std::optional<std::string>& result)
{
    host::JsonObject event;
    auto text = [&event](const char* key, const std::optional<std::string>& value) {
        if (value) {
            event.Text(key, *value);
        } else {
            event.Null(key);
        }
    };
    text("title", dialog.title);
    text("filter", dialog.filter);
    text("defext", dialog.defaultExt);
    text("dir", dialog.initialDir);
    text("name", dialog.fileName);
    event.Int("flags", static_cast<int64_t>(dialog.flags));
    text("result", result);
    host::LogEvent("savefile", event);
}

}  // namespace

BOOL GetSaveFileNameA(LPOPENFILENAMEA ofn)
{
    if (ofn == nullptr || ofn->lpstrFile == nullptr || ofn->nMaxFile == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    host::UiSaveFile dialog;
    dialog.title = Optional(ofn->lpstrTitle);
    dialog.filter = FilterText(ofn->lpstrFilter);
    dialog.defaultExt = Optional(ofn->lpstrDefExt);
    dialog.initialDir = Optional(ofn->lpstrInitialDir);
    dialog.fileName = std::string(ofn->lpstrFile, strnlen(ofn->lpstrFile, ofn->nMaxFile));
    dialog.flags = ofn->Flags;

    std::optional<std::string> path = host::Ui().AnswerSaveFile(dialog);
    if (path) {
        size_t name = 0;
        size_t extension = 0;
        NameOffsets(*path, name, extension);
        // A name typed without an extension gets the default one, as the dialog does.
        std::string defaultExt = ofn->lpstrDefExt != nullptr ? ofn->lpstrDefExt : "";
        if (!defaultExt.empty() && defaultExt[0] == '.') {
            defaultExt.erase(0, 1);
        }
        if (extension == path->size() && (path->empty() || path->back() != '.') && !defaultExt.empty() && name < path->size()) {
            *path += '.' + defaultExt;
            NameOffsets(*path, name, extension);
        }
        if (name == path->size() || path->size() + 1 > ofn->nMaxFile) {
            host::LogEvent("script-error", host::JsonObject().Utf8(
                "text", "the save-file dialog cannot take \"" + host::Cp932ToUtf8(*path) + "\": " +
                            (name == path->size() ? "no file name" : "longer than the program's buffer")));
            path.reset();
        } else {
            std::memcpy(ofn->lpstrFile, path->c_str(), path->size() + 1);
            ofn->nFileOffset = static_cast<WORD>(name);
            ofn->nFileExtension = static_cast<WORD>(extension);
            if (ofn->lpstrFileTitle != nullptr && ofn->nMaxFileTitle > path->size() - name) {
                std::memcpy(ofn->lpstrFileTitle, path->c_str() + name, path->size() - name + 1);
            }
        }
    }
    LogSaveFile(dialog, path);
    return path ? TRUE : FALSE;
}
