// The contract between the window model and a user-interface backend (scripted input, terminal).
//
// The window model (platform/win32) owns every window and all of its state; a backend never
// changes it. The backend is the user: it is asked for input whenever the program waits, and it is
// told when windows appear, change or want a repaint so that a renderer can draw them.
//
// Input. GetMessageA, finding its queue empty, asks NextInput() for the window that takes input
// (the topmost visible, enabled dialog) and turns the returned action into the messages a real
// user's action would queue, so that keys pass through PreTranslateMessage. MessageBoxA and
// GetSaveFileNameA ask AnswerMessageBox() and AnswerSaveFile(). Every answer comes back at once:
// a backend never blocks for ever (the script backend presses ESC when it has run out).
//
// Drawing. The notifications only say which window to look at; they are called on every progress
// step and repaint request, hundreds of thousands of times in a long run, so they must stay cheap
// (record a flag, draw later). A renderer reads the windows through the UiModel it finds with
// RegisteredUiModel(), only when it decides to draw.
//
// Transcript. The window model logs what the program shows (dialog, focus, msgbox, savefile,
// caption, foreign events) whatever the backend; a backend logs only its own events ("wait" and
// "script-error" for the script backend).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dlgtemplate.h"

namespace host {

typedef uintptr_t WindowHandle;

// One control as the user sees it. Texts are CP932; positions and sizes are dialog units.
struct UiControlView {
    WindowHandle handle = 0;
    int id = 0;
    ControlClass controlClass = ControlClass::Static;
    unsigned long style = 0;             // WS_*, ES_*, BS_* of the template
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string text;
    bool visible = true;
    bool enabled = true;
    bool focused = false;
    bool checked = false;                // buttons
    int selectionStart = 0;              // edits: byte offsets into the CP932 text, start <= end
    int selectionEnd = 0;
    int caret = 0;                       // the end of the selection the caret stands at
    int rangeLow = 0;                    // progress bars
    int rangeHigh = 100;
    int position = 0;
};

// One top-level window (a dialog) with its controls in template order.
struct UiWindowView {
    WindowHandle handle = 0;
    unsigned templateId = 0;
    std::string caption;
    short cx = 0, cy = 0;
    bool visible = false;
    bool enabled = true;                 // false while a dialog of its own is on top
    std::vector<UiControlView> controls;
    // The control in this window that has the focus, or nullptr.
    const UiControlView* Focused() const;
    const UiControlView* Control(int id) const;
};

// What a user can do to the window that takes input.
struct UiInput {
    enum Kind {
        Key,       // vk with modifiers, to the focused control (WM_KEYDOWN, WM_SYSKEYDOWN with alt)
        Type,      // text (CP932) typed into the focused control, character by character
        Set,       // click into edit controlId, select all of it, type text (empty: clear it)
        Focus,     // click into control controlId (an edit keeps its caret at the end)
        Click,     // click button controlId
        Abandon,   // the user is gone: the model ends the window with IDCANCEL
    };
    Kind kind = Key;
    unsigned vk = 0;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    int controlId = 0;
    std::string text;
};

enum class UiButtons { Ok, OkCancel, YesNo, YesNoCancel };

struct UiMessageBox {
    std::string caption;     // CP932
    std::string text;        // CP932
    UiButtons buttons = UiButtons::Ok;
    unsigned iconFlags = 0;  // MB_ICON* bits of the call
    unsigned ownerTemplate = 0;   // template id of an owning dialog of this process; 0 when none
};

// The save-file dialog as the program asked for it. Absent texts are nullopt.
struct UiSaveFile {
    std::optional<std::string> title, filter, defaultExt, initialDir, fileName;   // CP932
    unsigned long flags = 0;
};

// The window model seen from a renderer. Handles stay valid until WindowDestroyed.
class UiModel {
public:
    virtual ~UiModel() = default;
    // Visible top-level windows, bottom of the z-order first.
    virtual std::vector<WindowHandle> VisibleWindows() const = 0;
    // False when `window` is no top-level window of the model.
    virtual bool Describe(WindowHandle window, UiWindowView& view) const = 0;
};

class UiBackend {
public:
    virtual ~UiBackend() = default;

    // The next thing the user does to `window` (the dialog that takes input, described as it is now).
    virtual UiInput NextInput(const UiWindowView& window) = 0;
    // The button pressed: IDOK, IDCANCEL, IDYES or IDNO, always one the box has.
    virtual int AnswerMessageBox(const UiMessageBox& box) = 0;
    // The Windows path (CP932) the user confirmed, or nullopt when the dialog was cancelled.
    virtual std::optional<std::string> AnswerSaveFile(const UiSaveFile& dialog) = 0;

    // Cheap notifications, see the top of this file.
    virtual void WindowShown(WindowHandle window, bool shown) = 0;
    virtual void WindowChanged(WindowHandle window) = 0;
    virtual void WindowDestroyed(WindowHandle window) = 0;
    // RedrawWindow / UpdateWindow: the program wants `window` on screen now (no message loop runs).
    virtual void RepaintRequested(WindowHandle window) = 0;
};

// The backend in use. Until StartUi chooses one it is a script backend with an empty script:
// dialogs get ESC, message boxes their default answer, save-file dialogs are cancelled.
UiBackend& Ui();

// (Re)starts the user interface from a STMTPORT_UI value: "script:HOSTPATH" or "tui".
// False with `error` set (a sentence for standard error) when the value is unknown, the script
// cannot be read or the terminal backend is not built into this program. Tests call it with a
// script path of their own; the transcript follows STMTPORT_UI_LOG as it is at each event.
bool StartUi(std::string_view setting, std::string& error);

// The backend that STMTPORT_UI=tui selects; nullptr with `error` set when it cannot start.
std::unique_ptr<UiBackend> MakeTerminalBackend(std::string& error);

// The "wait" event: `window` is about to take the user's next action, shown as it is now.
// Every backend logs it before each action it hands to a modal dialog.
void LogWait(const UiWindowView& window);

void RegisterUiModel(const UiModel* model);
const UiModel* RegisteredUiModel();

}  // namespace host
