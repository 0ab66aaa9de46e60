// MessageBoxA: the backend answers, the transcript records the box with its answer.
#include <cstdio>

#include "host/Transcript.h"
#include "window_model.h"

namespace {

const char* IconName(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONEXCLAMATION: return "exclamation";
    case MB_ICONQUESTION: return "question";
    case MB_ICONINFORMATION: return "information";
    case MB_ICONHAND: return "warning";
    default: return "none";
    }
}

const char* ButtonsName(host::UiButtons buttons)
{
    switch (buttons) {
    case host::UiButtons::Ok: return "ok";
    case host::UiButtons::OkCancel: return "okcancel";
    case host::UiButtons::YesNo: return "yesno";
    case host::UiButtons::YesNoCancel: return "yesnocancel";
    }
    return "ok";
}

const char* AnswerName(int answer)
{
    switch (answer) {
    case IDOK: return "ok";
    case IDYES: return "yes";
    case IDNO: return "no";
    default: return "cancel";
    }
}

}  // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    host::UiMessageBox box;
    switch (type & MB_TYPEMASK) {
    case MB_OK: box.buttons = host::UiButtons::Ok; break;
    case MB_OKCANCEL: box.buttons = host::UiButtons::OkCancel; break;
    case MB_YESNO: box.buttons = host::UiButtons::YesNo; break;
    case MB_YESNOCANCEL: box.buttons = host::UiButtons::YesNoCancel; break;
    default:
        std::fprintf(stderr, "MessageBoxA: button set %u is not supported\n", static_cast<unsigned>(type & MB_TYPEMASK));
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    box.caption = caption != nullptr ? caption : "Error";
    box.text = text != nullptr ? text : "";
    box.iconFlags = type & MB_ICONMASK;
    box.ownerTemplate = win32::TemplateIdOf(owner);

    int answer = host::Ui().AnswerMessageBox(box);

    host::JsonObject event;
    event.Text("caption", box.caption).Text("text", box.text).Utf8("icon", IconName(type)).Utf8("buttons", ButtonsName(box.buttons));
    if (owner == nullptr) {
        event.Null("owner");
    } else if (win32::Desktop::IsForeign(owner)) {
        event.Int("owner", static_cast<int64_t>(reinterpret_cast<uintptr_t>(owner))).Bool("foreign", true);
    } else if (box.ownerTemplate != 0) {
        event.Int("owner", box.ownerTemplate);
    } else {
        event.Null("owner");
    }
    event.Utf8("answer", AnswerName(answer));
    host::LogEvent("msgbox", event);
    return answer;
}
