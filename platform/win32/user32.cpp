// user32 window services over the window model; calls on foreign windows become datagrams.
#include "host/ForeignWindow.h"
#include "host/Transcript.h"
#include "window_model.h"

using win32::Desktop;
using win32::Window;
using win32::WindowKind;

namespace {

void SetDialogCaption(Window& dialog, LPCSTR text)
{
    std::string caption = text != nullptr ? text : "";
    if (caption == dialog.text) {
        return;
    }
    dialog.text = std::move(caption);
    if (dialog.visible) {
        host::LogEvent("caption", host::JsonObject()
                                      .Int("window", dialog.dialogTemplate != nullptr ? dialog.dialogTemplate->id : 0)
                                      .Text("text", dialog.text));
    }
    host::Ui().WindowChanged(win32::HandleValue(dialog.handle));
}

}  // namespace

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* target = Desktop::Get().Find(window);
    if (target == nullptr) {
        return 0;
    }
    if (target->kind != WindowKind::Dialog) {
        return win32::ControlMessage(*target, message, wParam, lParam);
    }
    switch (message) {
    case WM_SETTEXT:
        SetDialogCaption(*target, reinterpret_cast<LPCSTR>(lParam));
        return TRUE;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
        return win32::ControlMessage(*target, message, wParam, lParam);
    default:
        break;
    }
    if (target->proc != nullptr) {
        INT_PTR handled = target->proc(window, message, wParam, lParam);
        if (handled) {
            return handled;
        }
    }
    // The procedure may have destroyed its dialog.
    target = Desktop::Get().Find(window);
    return target != nullptr ? win32::DialogMessage(*target, message, wParam, lParam) : 0;
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window == nullptr) {
        return FALSE;
    }
    if (Desktop::IsForeign(window)) {
        return host::PostToForeignWindow(reinterpret_cast<uintptr_t>(window), message, wParam, lParam);
    }
    win32::QueuedMessage queued{};
    queued.msg = MSG{window, message, wParam, lParam, 0, {0, 0}};
    Desktop::Get().queue.push_back(queued);
    return TRUE;
}

BOOL EnableWindow(HWND window, BOOL enable)
{
    if (Desktop::IsForeign(window)) {
        host::EnableForeignWindow(reinterpret_cast<uintptr_t>(window), enable != FALSE);
        return FALSE;
    }
    Window* target = Desktop::Get().Find(window);
    if (target == nullptr) {
        return FALSE;
    }
    BOOL wasDisabled = !target->enabled;
    bool now = enable != FALSE;
    if (target->enabled != now) {
        target->enabled = now;
        if (!now && target->kind != WindowKind::Dialog) {
            win32::RescueFocus(*target);
        }
        Window* dialog = Desktop::Get().DialogOf(*target);
        host::Ui().WindowChanged(win32::HandleValue(dialog != nullptr ? dialog->handle : window));
    }
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND window)
{
    Window* target = Desktop::Get().Find(window);
    return target != nullptr && target->enabled;
}

BOOL IsWindow(HWND window)
{
    return Desktop::Get().Find(window) != nullptr;
}

BOOL IsWindowVisible(HWND window)
{
    Window* target = Desktop::Get().Find(window);
    if (target == nullptr || !target->visible) {
        return FALSE;
    }
    Window* dialog = Desktop::Get().DialogOf(*target);
    return dialog == nullptr || dialog->visible;
}

HWND SetFocus(HWND window)
{
    HWND previous = Desktop::Get().focus;
    return win32::MoveFocus(window) ? previous : nullptr;
}

HWND GetFocus()
{
    return Desktop::Get().focus;
}

HWND GetParent(HWND window)
{
    Window* target = Desktop::Get().Find(window);
    return target != nullptr ? target->parent : nullptr;
}

HWND SetParent(HWND child, HWND newParent)
{
    Window* target = Desktop::Get().Find(child);
    if (target == nullptr) {
        return nullptr;
    }
    if (Desktop::IsForeign(newParent)) {
        host::LogForeignSetParent(reinterpret_cast<uintptr_t>(newParent));
    }
    HWND previous = target->parent;
    target->parent = newParent;
    // A dialog keeps its place among the top-level windows: its new parent only owns it.
    return previous;
}

BOOL SetForegroundWindow(HWND window)
{
    if (Desktop::IsForeign(window)) {
        return host::ForegroundForeignWindow(reinterpret_cast<uintptr_t>(window));
    }
    Window* target = Desktop::Get().Find(window);
    if (target == nullptr) {
        return FALSE;
    }
    Window* dialog = Desktop::Get().DialogOf(*target);
    Desktop::Get().BringToTop(dialog->handle);
    return TRUE;
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int, int, int, int, UINT flags)
{
    Window* target = Desktop::Get().Find(window);
    if (target == nullptr) {
        return FALSE;
    }
    if (target->kind == WindowKind::Dialog) {
        if (!(flags & SWP_NOZORDER) && (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST)) {
            Desktop::Get().BringToTop(window);
        }
        if (flags & SWP_SHOWWINDOW) {
            win32::ShowDialog(*target, true);
        }
    }
    return TRUE;
}

BOOL ShowWindow(HWND window, int command)
{
    Window* target = Desktop::Get().Find(window);
    if (target == nullptr) {
        return FALSE;
    }
    BOOL wasVisible = target->visible;
    bool show = command != SW_HIDE;
    if (target->kind == WindowKind::Dialog) {
        win32::ShowDialog(*target, show);
    } else if (target->visible != show) {
        target->visible = show;
        if (!show) {
            win32::RescueFocus(*target);
        }
        host::Ui().WindowChanged(win32::HandleValue(target->parent));
    }
    return wasVisible;
}

BOOL UpdateWindow(HWND window)
{
    Window* target = Desktop::Get().Find(window);
    if (target == nullptr) {
        return FALSE;
    }
    host::Ui().RepaintRequested(win32::HandleValue(Desktop::Get().DialogOf(*target)->handle));
    return TRUE;
}

BOOL RedrawWindow(HWND window, const RECT*, void*, UINT)
{
    return UpdateWindow(window);
}

BOOL SetWindowTextA(HWND window, LPCSTR text)
{
    Window* target = Desktop::Get().Find(window);
    if (target == nullptr) {
        return FALSE;
    }
    return static_cast<BOOL>(SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
}

int GetWindowTextA(HWND window, LPSTR buffer, int size)
{
    if (buffer != nullptr && size > 0) {
        buffer[0] = '\0';
    }
    if (size <= 0) {
        return 0;
    }
    return static_cast<int>(SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthA(HWND window)
{
    return static_cast<int>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
}

SHORT GetKeyState(int virtualKey)
{
    const win32::QueuedMessage& current = Desktop::Get().current;
    bool isKey = current.msg.message == WM_KEYDOWN || current.msg.message == WM_SYSKEYDOWN;
    bool down = (virtualKey == VK_SHIFT && current.shift) || (virtualKey == VK_CONTROL && current.ctrl) ||
                (virtualKey == VK_MENU && current.alt) || (isKey && current.msg.wParam == static_cast<WPARAM>(virtualKey));
    return down ? static_cast<SHORT>(0x8000) : 0;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    HCURSOR previous = Desktop::Get().cursor;
    Desktop::Get().cursor = cursor;
    return previous;
}
