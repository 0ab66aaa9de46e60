// The in-process window model behind user32: windows, controls, focus, z-order and the message queue.
// Internal to platform/win32; the system sees it only through the user32 functions of windows.h.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "dlgtemplate.h"
#include "host/UiBackend.h"
#include "windows.h"

namespace win32 {

enum class WindowKind { Dialog, Static, Edit, PushButton, RadioButton, GroupBox, Progress };

struct Window {
    HWND handle = nullptr;
    WindowKind kind = WindowKind::Dialog;
    int id = 0;
    DWORD style = 0;
    std::string text;                    // CP932: caption or control text
    bool enabled = true;
    bool visible = false;
    HWND parent = nullptr;               // controls: their dialog; dialogs: the owner (may be foreign)
    const DialogItemTemplate* item = nullptr;

    // Dialogs.
    const DialogTemplate* dialogTemplate = nullptr;
    DLGPROC proc = nullptr;
    std::vector<HWND> children;          // template order
    bool ended = false;                  // EndDialog ran since it was last shown

    // Edits: anchor and caret as byte offsets; the selection lies between them.
    size_t anchor = 0;
    size_t caret = 0;
    size_t limit = 0;

    // Buttons.
    bool checked = false;

    // Progress bars.
    int rangeLow = 0;
    int rangeHigh = 100;
    int position = 0;
    int step = 10;

    size_t SelectionStart() const { return anchor < caret ? anchor : caret; }
    size_t SelectionEnd() const { return anchor < caret ? caret : anchor; }
};

// A message waiting in the queue, with the modifier state of the input that queued it.
struct QueuedMessage {
    MSG msg;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// The one desktop of the process.
class Desktop : public host::UiModel {
public:
    static Desktop& Get();

    // Own windows only; nullptr for null, foreign and destroyed handles.
    Window* Find(HWND handle) const;
    // Not null and never a handle of this process (destroyed windows stay ours).
    static bool IsForeign(HWND handle);

    Window& Create(WindowKind kind, HWND parent);
    void Destroy(Window& window);

    // The dialog a window belongs to (itself for a dialog).
    Window* DialogOf(const Window& window) const;
    // The top-level window that takes input: topmost visible and enabled dialog; nullptr when none.
    Window* InputWindow() const;
    void BringToTop(HWND handle);

    HWND focus = nullptr;
    std::deque<QueuedMessage> queue;
    // Modifiers and key of the input message being processed, for GetKeyState.
    QueuedMessage current{};
    HCURSOR cursor = nullptr;

    // host::UiModel
    std::vector<host::WindowHandle> VisibleWindows() const override;
    bool Describe(host::WindowHandle window, host::UiWindowView& view) const override;

private:
    Desktop();

    std::vector<std::unique_ptr<Window>> slots_;   // handle = kFirstHandle + index
    std::vector<HWND> zOrder_;                      // top-level windows, bottom first
};

constexpr uintptr_t kFirstHandle = 0x10000;
// Bytes an edit takes before EM_LIMITTEXT.
constexpr size_t kDefaultEditLimit = 32767;

inline host::WindowHandle HandleValue(HWND handle) { return reinterpret_cast<host::WindowHandle>(handle); }

// Shown state and focus, with their transcript events and backend notifications.
void ShowDialog(Window& dialog, bool show);
// Moves the focus; refuses disabled, hidden and non-focusable windows (returns false).
bool MoveFocus(HWND target);
// The focus left `window` or a window inside it that became unusable: take it to the next control.
void RescueFocus(Window& window);
void LogFocus(const Window& control);
// The "dialog" event with every control's state.
void LogDialog(const Window& dialog, const char* state, const INT_PTR* code);
// The template id of the dialog `handle` is or belongs to; 0 for foreign or plain windows.
unsigned TemplateIdOf(HWND handle);

// Controls' built-in behaviour (controls.cpp): messages sent or dispatched to a control.
LRESULT ControlMessage(Window& control, UINT message, WPARAM wParam, LPARAM lParam);
void ClickButton(Window& button);
void SelectAll(Window& edit);
void SetControlText(Window& window, std::string text);

// Dialog default processing after the dialog procedure declined a message (dialogs.cpp).
LRESULT DialogMessage(Window& dialog, UINT message, WPARAM wParam, LPARAM lParam);
void SendCommand(Window& dialog, int id, HWND control);

// Text helpers on CP932 byte strings.
size_t PreviousCharStart(const std::string& text, size_t at);
size_t NextCharEnd(const std::string& text, size_t at);
size_t CharStartAtOrBefore(const std::string& text, size_t at);

}  // namespace win32
