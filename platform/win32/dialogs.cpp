// Dialogs: creation from templates, the dialog manager's keyboard, the message queue and its input.
#include <algorithm>

#include "host/Codepage.h"
#include "window_model.h"

namespace win32 {
namespace {

WindowKind KindOf(const DialogItemTemplate& item)
{
    switch (item.controlClass) {
    case ControlClass::Static: return WindowKind::Static;
    case ControlClass::Edit: return WindowKind::Edit;
    case ControlClass::Progress: return WindowKind::Progress;
    case ControlClass::Button: break;
    }
    switch (item.style & BS_TYPEMASK) {
    case BS_GROUPBOX: return WindowKind::GroupBox;
    case BS_AUTORADIOBUTTON: return WindowKind::RadioButton;
    default: return WindowKind::PushButton;
    }
}

Window* FocusedIn(const Window& dialog)
{
    Window* focused = Desktop::Get().Find(Desktop::Get().focus);
    return focused != nullptr && focused->parent == dialog.handle ? focused : nullptr;
}

// Focus given by the dialog manager (Tab, the first control): an edit gets all its text selected.
void FocusFromDialogManager(HWND control)
{
    Window* window = Desktop::Get().Find(control);
    if (window == nullptr) {
        return;
    }
    if (window->kind == WindowKind::Edit && window->enabled && window->visible) {
        SelectAll(*window);
    }
    MoveFocus(control);
}

Window* DefaultButton(const Window& dialog)
{
    for (HWND child : dialog.children) {
        Window* control = Desktop::Get().Find(child);
        if (control->kind == WindowKind::PushButton && (control->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            return control;
        }
    }
    return nullptr;
}

// Up and Left go to the previous radio button of the group, Down and Right to the next; it gets checked.
void MoveInRadioGroup(Window& dialog, Window& radio, bool forward)
{
    Desktop& desktop = Desktop::Get();
    auto& children = dialog.children;
    size_t at = std::find(children.begin(), children.end(), radio.handle) - children.begin();
    size_t first = at;
    while (first > 0 && !(desktop.Find(children[first])->style & WS_GROUP)) {
        --first;
    }
    size_t last = at;
    while (last + 1 < children.size() && !(desktop.Find(children[last + 1])->style & WS_GROUP)) {
        ++last;
    }
    size_t count = last - first + 1;
    for (size_t i = 1; i < count; ++i) {
        size_t index = first + (forward ? (at - first + i) % count : (at - first + count - i) % count);
        Window& candidate = *desktop.Find(children[index]);
        if (candidate.kind == WindowKind::RadioButton && candidate.enabled && candidate.visible) {
            MoveFocus(candidate.handle);
            ClickButton(candidate);
            return;
        }
    }
}

void DialogKey(Window& dialog, Window* focused, WPARAM vk)
{
    const QueuedMessage& state = Desktop::Get().current;
    switch (vk) {
    case VK_TAB:
        if (!state.ctrl && !state.alt) {
            HWND next = GetNextDlgTabItem(dialog.handle, focused != nullptr ? focused->handle : nullptr, state.shift);
            if (next != nullptr) {
                FocusFromDialogManager(next);
            }
        }
        return;
    case VK_ESCAPE:
        SendCommand(dialog, IDCANCEL, GetDlgItem(dialog.handle, IDCANCEL));
        return;
    case VK_RETURN: {
        if (focused != nullptr && focused->kind == WindowKind::PushButton) {
            ClickButton(*focused);
            return;
        }
        Window* defaultButton = DefaultButton(dialog);
        if (defaultButton != nullptr) {
            ClickButton(*defaultButton);
            return;
        }
        Window* ok = Desktop::Get().Find(GetDlgItem(dialog.handle, IDOK));
        if (ok == nullptr || ok->enabled) {
            SendCommand(dialog, IDOK, ok != nullptr ? ok->handle : nullptr);
        }
        return;
    }
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
        if (focused != nullptr && focused->kind == WindowKind::RadioButton) {
            MoveInRadioGroup(dialog, *focused, vk == VK_DOWN || vk == VK_RIGHT);
            return;
        }
        break;
    default:
        break;
    }
    if (focused != nullptr) {
        ControlMessage(*focused, WM_KEYDOWN, vk, 0);
    }
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const host::UiInput* input = nullptr)
{
    QueuedMessage queued{};
    queued.msg.hwnd = window;
    queued.msg.message = message;
    queued.msg.wParam = wParam;
    queued.msg.lParam = lParam;
    if (input != nullptr) {
        queued.shift = input->shift;
        queued.ctrl = input->ctrl;
        queued.alt = input->alt;
    }
    Desktop::Get().queue.push_back(queued);
}

void PostText(HWND window, const std::string& text)
{
    for (size_t at = 0; at < text.size();) {
        size_t length = host::Cp932CharLength(text, at);
        WPARAM code = static_cast<unsigned char>(text[at]);
        if (length == 2) {
            code = code << 8 | static_cast<unsigned char>(text[at + 1]);
        }
        Post(window, WM_CHAR, code, 0);
        at += length;
    }
}

// Asks the backend what the user does to the window that takes input, and queues it as messages.
void TakeInput()
{
    Desktop& desktop = Desktop::Get();
    Window* target = desktop.InputWindow();
    if (target == nullptr) {
        return;
    }
    host::UiWindowView view;
    desktop.Describe(HandleValue(target->handle), view);
    host::UiInput input = host::Ui().NextInput(view);
    Window* focused = FocusedIn(*target);
    HWND keyTarget = focused != nullptr ? focused->handle : target->handle;
    Window* control = input.kind == host::UiInput::Set || input.kind == host::UiInput::Focus || input.kind == host::UiInput::Click
                          ? desktop.Find(GetDlgItem(target->handle, input.controlId))
                          : nullptr;
    static const char empty[] = "";
    switch (input.kind) {
    case host::UiInput::Key:
        Post(keyTarget, input.alt ? WM_SYSKEYDOWN : WM_KEYDOWN, input.vk, 0, &input);
        break;
    case host::UiInput::Type:
        PostText(keyTarget, input.text);
        break;
    case host::UiInput::Set:
        // A click into a disabled edit does nothing, so neither does the typing after it.
        if (control != nullptr && control->enabled && control->visible) {
            Post(control->handle, WM_LBUTTONDOWN, 0, 0);
            Post(control->handle, EM_SETSEL, 0, -1);
            if (input.text.empty()) {
                Post(control->handle, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(empty));
            }
            PostText(control->handle, input.text);
        }
        break;
    case host::UiInput::Focus:
        if (control != nullptr) {
            Post(control->handle, WM_LBUTTONDOWN, 0, 0);
        }
        break;
    case host::UiInput::Click:
        if (control != nullptr) {
            Post(control->handle, WM_LBUTTONDOWN, 0, 0);
            Post(control->handle, WM_LBUTTONUP, 0, 0);
        }
        break;
    case host::UiInput::Abandon:
        EndDialog(target->handle, IDCANCEL);
        Post(target->handle, WM_NULL, 0, 0);
        break;
    }
    if (desktop.queue.empty()) {
        // An action that changed nothing still gives the loop one turn, so that it can look again.
        Post(target->handle, WM_NULL, 0, 0);
    }
}

}  // namespace

void SendCommand(Window& dialog, int id, HWND control)
{
    SendMessageA(dialog.handle, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

LRESULT DialogMessage(Window& dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_CLOSE:
        SendCommand(dialog, IDCANCEL, GetDlgItem(dialog.handle, IDCANCEL));
        return 0;
    case WM_SYSCOMMAND:
        // The close box: the dialog hears WM_CLOSE, which by default is the standard cancel.
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            SendMessageA(dialog.handle, WM_CLOSE, 0, 0);
        }
        return 0;
    default:
        return 0;
    }
}

}  // namespace win32

using win32::Desktop;
using win32::Window;
using win32::WindowKind;

HWND CreateDialogParamA(HINSTANCE, LPCSTR templateName, HWND owner, DLGPROC proc, LPARAM param)
{
    const DialogTemplate* dialogTemplate = IS_INTRESOURCE(templateName)
                                               ? FindDialogTemplate(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(templateName)))
                                               : nullptr;
    if (dialogTemplate == nullptr) {
        SetLastError(1814);   // ERROR_RESOURCE_NAME_NOT_FOUND
        return nullptr;
    }
    Desktop& desktop = Desktop::Get();
    Window& dialog = desktop.Create(WindowKind::Dialog, owner);
    HWND handle = dialog.handle;
    dialog.style = dialogTemplate->style;
    dialog.text = dialogTemplate->caption != nullptr ? dialogTemplate->caption : "";
    dialog.dialogTemplate = dialogTemplate;
    dialog.proc = proc;
    dialog.enabled = !(dialogTemplate->style & WS_DISABLED);
    for (int i = 0; i < dialogTemplate->itemCount; ++i) {
        const DialogItemTemplate& item = dialogTemplate->items[i];
        Window& control = desktop.Create(win32::KindOf(item), handle);
        control.id = item.id;
        control.style = item.style;
        control.item = &item;
        control.text = item.text != nullptr ? item.text : "";
        control.enabled = !(item.style & WS_DISABLED);
        control.visible = (item.style & WS_VISIBLE) != 0;
        control.limit = win32::kDefaultEditLimit;
        desktop.Find(handle)->children.push_back(control.handle);
    }
    HWND first = GetNextDlgTabItem(handle, nullptr, FALSE);
    INT_PTR focusDefault = proc != nullptr ? proc(handle, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param) : TRUE;
    Window* created = desktop.Find(handle);
    if (created == nullptr) {
        return nullptr;
    }
    if (focusDefault && first != nullptr && win32::FocusedIn(*created) == nullptr) {
        win32::FocusFromDialogManager(first);
    }
    if ((created->style & WS_VISIBLE) && !created->ended) {
        win32::ShowDialog(*created, true);
    }
    return handle;
}

BOOL EndDialog(HWND dialog, INT_PTR result)
{
    Desktop& desktop = Desktop::Get();
    Window* window = desktop.Find(dialog);
    if (window == nullptr || window->kind != WindowKind::Dialog) {
        return FALSE;
    }
    if (!window->ended) {
        window->ended = true;
        win32::LogDialog(*window, "end", &result);
    }
    if (win32::FocusedIn(*window) != nullptr) {
        desktop.focus = nullptr;
    }
    win32::ShowDialog(*window, false);
    return TRUE;
}

BOOL DestroyWindow(HWND window)
{
    Desktop& desktop = Desktop::Get();
    Window* target = desktop.Find(window);
    if (target == nullptr) {
        return FALSE;
    }
    if (target->kind == WindowKind::Dialog) {
        if (target->visible && !target->ended) {
            win32::LogDialog(*target, "end", nullptr);
        }
        desktop.Destroy(*target);
        return TRUE;
    }
    // A single control: it leaves its dialog.
    if (Window* dialog = desktop.Find(target->parent)) {
        std::erase(dialog->children, window);
    }
    target->children.clear();
    desktop.Destroy(*target);
    return TRUE;
}

HWND GetDlgItem(HWND dialog, int id)
{
    Window* window = Desktop::Get().Find(dialog);
    if (window == nullptr) {
        return nullptr;
    }
    for (HWND child : window->children) {
        if (Desktop::Get().Find(child)->id == id) {
            return child;
        }
    }
    return nullptr;
}

int GetDlgCtrlID(HWND window)
{
    Window* control = Desktop::Get().Find(window);
    return control != nullptr && control->kind != WindowKind::Dialog ? control->id : 0;
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous)
{
    Desktop& desktop = Desktop::Get();
    Window* window = desktop.Find(dialog);
    if (window == nullptr || window->children.empty()) {
        return nullptr;
    }
    const auto& children = window->children;
    size_t count = children.size();
    auto it = std::find(children.begin(), children.end(), control);
    // Without a starting control the search starts just outside the list.
    size_t at = it != children.end() ? static_cast<size_t>(it - children.begin()) : (previous ? 0 : count - 1);
    for (size_t i = 1; i <= count; ++i) {
        size_t index = previous ? (at + count - i) % count : (at + i) % count;
        const Window& candidate = *desktop.Find(children[index]);
        if ((candidate.style & WS_TABSTOP) && candidate.enabled && candidate.visible) {
            return candidate.handle;
        }
    }
    return nullptr;
}

BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId)
{
    Window* window = Desktop::Get().Find(dialog);
    if (window == nullptr) {
        return FALSE;
    }
    for (HWND child : window->children) {
        Window& control = *Desktop::Get().Find(child);
        if (control.id >= firstId && control.id <= lastId) {
            win32::ControlMessage(control, BM_SETCHECK, control.id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    return TRUE;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check)
{
    HWND button = GetDlgItem(dialog, id);
    if (button == nullptr) {
        return FALSE;
    }
    SendMessageA(button, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    return button != nullptr ? static_cast<UINT>(SendMessageA(button, BM_GETCHECK, 0, 0)) : 0;
}

// Nothing that is asked for ever blocks: with no window to take input and nothing queued,
// GetMessageA returns FALSE (as if the loop had been told to quit) with a WM_NULL message.
BOOL GetMessageA(LPMSG msg, HWND, UINT, UINT)
{
    Desktop& desktop = Desktop::Get();
    if (desktop.queue.empty()) {
        win32::TakeInput();
    }
    if (desktop.queue.empty()) {
        *msg = MSG{};
        desktop.current = win32::QueuedMessage{};
        return FALSE;
    }
    desktop.current = desktop.queue.front();
    desktop.queue.pop_front();
    *msg = desktop.current.msg;
    return TRUE;
}

BOOL TranslateMessage(const MSG* msg)
{
    return msg != nullptr && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN);
}

LRESULT DispatchMessageA(const MSG* msg)
{
    if (msg == nullptr || msg->message == WM_NULL) {
        return 0;
    }
    return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL IsDialogMessageA(HWND dialog, LPMSG msg)
{
    Desktop& desktop = Desktop::Get();
    Window* window = desktop.Find(dialog);
    Window* target = msg != nullptr ? desktop.Find(msg->hwnd) : nullptr;
    if (window == nullptr || window->kind != WindowKind::Dialog || target == nullptr ||
        (target != window && target->parent != dialog)) {
        return FALSE;
    }
    Window* focused = target != window ? target : win32::FocusedIn(*window);
    switch (msg->message) {
    case WM_KEYDOWN:
        win32::DialogKey(*window, focused, msg->wParam);
        return TRUE;
    case WM_SYSKEYDOWN:
        return TRUE;   // no mnemonics: Alt combinations do nothing in a dialog
    case WM_CHAR:
        if (focused != nullptr) {
            win32::ControlMessage(*focused, WM_CHAR, msg->wParam, msg->lParam);
        }
        return TRUE;
    default:
        DispatchMessageA(msg);
        return TRUE;
    }
}
