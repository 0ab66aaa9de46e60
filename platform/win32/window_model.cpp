// The window model: handles, z-order, shown state and focus with their transcript events.
#include "window_model.h"

#include <algorithm>

#include "host/Codepage.h"
#include "host/Transcript.h"

namespace win32 {

Desktop& Desktop::Get()
{
    static Desktop desktop;
    return desktop;
}

Desktop::Desktop()
{
    host::RegisterUiModel(this);
}

Window* Desktop::Find(HWND handle) const
{
    uintptr_t value = reinterpret_cast<uintptr_t>(handle);
    if (value < kFirstHandle || value - kFirstHandle >= slots_.size()) {
        return nullptr;
    }
    return slots_[value - kFirstHandle].get();
}

bool Desktop::IsForeign(HWND handle)
{
    uintptr_t value = reinterpret_cast<uintptr_t>(handle);
    return handle != nullptr && (value < kFirstHandle || value - kFirstHandle >= Get().slots_.size());
}

Window& Desktop::Create(WindowKind kind, HWND parent)
{
    auto window = std::make_unique<Window>();
    window->handle = reinterpret_cast<HWND>(kFirstHandle + slots_.size());
    window->kind = kind;
    window->parent = parent;
    slots_.push_back(std::move(window));
    Window& created = *slots_.back();
    if (kind == WindowKind::Dialog) {
        zOrder_.push_back(created.handle);
    }
    return created;
}

void Desktop::Destroy(Window& window)
{
    HWND handle = window.handle;
    for (HWND child : window.children) {
        if (focus == child) {
            focus = nullptr;
        }
        slots_[reinterpret_cast<uintptr_t>(child) - kFirstHandle].reset();
    }
    if (focus == handle) {
        focus = nullptr;
    }
    std::erase_if(queue, [&](const QueuedMessage& queued) {
        return queued.msg.hwnd == handle ||
               std::find(window.children.begin(), window.children.end(), queued.msg.hwnd) != window.children.end();
    });
    std::erase(zOrder_, handle);
    slots_[reinterpret_cast<uintptr_t>(handle) - kFirstHandle].reset();
    host::Ui().WindowDestroyed(HandleValue(handle));
}

Window* Desktop::DialogOf(const Window& window) const
{
    if (window.kind == WindowKind::Dialog) {
        return const_cast<Window*>(&window);
    }
    return Find(window.parent);
}

Window* Desktop::InputWindow() const
{
    for (auto it = zOrder_.rbegin(); it != zOrder_.rend(); ++it) {
        Window* window = Find(*it);
        if (window != nullptr && window->visible && window->enabled) {
            return window;
        }
    }
    return nullptr;
}

void Desktop::BringToTop(HWND handle)
{
    if (!zOrder_.empty() && zOrder_.back() == handle) {
        return;
    }
    auto it = std::find(zOrder_.begin(), zOrder_.end(), handle);
    if (it != zOrder_.end()) {
        zOrder_.erase(it);
        zOrder_.push_back(handle);
    }
}

std::vector<host::WindowHandle> Desktop::VisibleWindows() const
{
    std::vector<host::WindowHandle> visible;
    for (HWND handle : zOrder_) {
        Window* window = Find(handle);
        if (window != nullptr && window->visible) {
            visible.push_back(HandleValue(handle));
        }
    }
    return visible;
}

bool Desktop::Describe(host::WindowHandle handle, host::UiWindowView& view) const
{
    Window* dialog = Find(reinterpret_cast<HWND>(handle));
    if (dialog == nullptr || dialog->kind != WindowKind::Dialog) {
        return false;
    }
    view = host::UiWindowView();
    view.handle = handle;
    view.templateId = dialog->dialogTemplate != nullptr ? dialog->dialogTemplate->id : 0;
    view.caption = dialog->text;
    if (dialog->dialogTemplate != nullptr) {
        view.cx = dialog->dialogTemplate->cx;
        view.cy = dialog->dialogTemplate->cy;
    }
    view.visible = dialog->visible;
    view.enabled = dialog->enabled;
    for (HWND child : dialog->children) {
        const Window& control = *Find(child);
        host::UiControlView item;
        item.handle = HandleValue(child);
        item.id = control.id;
        item.controlClass = control.item->controlClass;
        item.style = control.style;
        item.x = control.item->x;
        item.y = control.item->y;
        item.cx = control.item->cx;
        item.cy = control.item->cy;
        item.text = control.text;
        item.visible = control.visible;
        item.enabled = control.enabled;
        item.focused = focus == child;
        item.checked = control.checked;
        item.selectionStart = static_cast<int>(control.SelectionStart());
        item.selectionEnd = static_cast<int>(control.SelectionEnd());
        item.caret = static_cast<int>(control.caret);
        item.rangeLow = control.rangeLow;
        item.rangeHigh = control.rangeHigh;
        item.position = control.position;
        view.controls.push_back(std::move(item));
    }
    return true;
}

unsigned TemplateIdOf(HWND handle)
{
    Window* window = Desktop::Get().Find(handle);
    if (window == nullptr) {
        return 0;
    }
    Window* dialog = Desktop::Get().DialogOf(*window);
    return dialog != nullptr && dialog->dialogTemplate != nullptr ? dialog->dialogTemplate->id : 0;
}

void LogFocus(const Window& control)
{
    host::JsonObject event;
    event.Int("id", control.id);
    if (control.kind == WindowKind::Edit) {
        event.Pair("selection", static_cast<int64_t>(control.SelectionStart()), static_cast<int64_t>(control.SelectionEnd()));
    }
    host::LogEvent("focus", event);
}

void LogDialog(const Window& dialog, const char* state, const INT_PTR* code)
{
    if (!host::TranscriptEnabled()) {
        return;
    }
    Desktop& desktop = Desktop::Get();
    host::JsonObject event;
    event.Int("id", dialog.dialogTemplate != nullptr ? dialog.dialogTemplate->id : 0);
    event.Utf8("state", state);
    if (code != nullptr) {
        event.Int("code", *code);
    }
    event.Text("caption", dialog.text);
    std::vector<host::JsonObject> controls;
    for (HWND child : dialog.children) {
        const Window& control = *desktop.Find(child);
        host::JsonObject item;
        item.Int("id", control.id).Text("text", control.text).Bool("enabled", control.enabled);
        if (control.kind == WindowKind::RadioButton) {
            item.Bool("checked", control.checked);
        }
        if (control.kind == WindowKind::Progress) {
            item.Int("pos", control.position).Pair("range", control.rangeLow, control.rangeHigh);
        }
        controls.push_back(std::move(item));
    }
    event.Array("controls", controls);
    host::LogEvent("dialog", event);
}

void ShowDialog(Window& dialog, bool show)
{
    if (dialog.visible == show) {
        return;
    }
    Desktop& desktop = Desktop::Get();
    dialog.visible = show;
    if (show) {
        dialog.ended = false;
        desktop.BringToTop(dialog.handle);
        LogDialog(dialog, "open", nullptr);
        // Focus set while the dialog was hidden (WM_INITDIALOG) is logged once it can be seen.
        Window* focused = desktop.Find(desktop.focus);
        if (focused != nullptr && focused->parent == dialog.handle) {
            LogFocus(*focused);
        }
    }
    host::Ui().WindowShown(HandleValue(dialog.handle), show);
}

namespace {

bool CanTakeFocus(const Window& window)
{
    switch (window.kind) {
    case WindowKind::Edit:
    case WindowKind::PushButton:
    case WindowKind::RadioButton:
        break;
    case WindowKind::Dialog:
    case WindowKind::Static:
    case WindowKind::GroupBox:
    case WindowKind::Progress:
        return false;
    }
    if (!window.enabled || !window.visible) {
        return false;
    }
    Window* dialog = Desktop::Get().DialogOf(window);
    return dialog != nullptr && dialog->enabled;
}

}  // namespace

bool MoveFocus(HWND target)
{
    Desktop& desktop = Desktop::Get();
    if (target == nullptr) {
        desktop.focus = nullptr;
        return true;
    }
    Window* window = desktop.Find(target);
    if (window == nullptr || !CanTakeFocus(*window)) {
        return false;
    }
    if (desktop.focus == target) {
        return true;
    }
    HWND previous = desktop.focus;
    desktop.focus = target;
    Window* dialog = desktop.DialogOf(*window);
    if (dialog != nullptr && dialog->visible) {
        LogFocus(*window);
    }
    if (Window* old = desktop.Find(previous)) {
        host::Ui().WindowChanged(HandleValue(desktop.DialogOf(*old)->handle));
    }
    host::Ui().WindowChanged(HandleValue(dialog->handle));
    return true;
}

void RescueFocus(Window& window)
{
    Desktop& desktop = Desktop::Get();
    Window* focused = desktop.Find(desktop.focus);
    if (focused == nullptr || (focused != &window && focused->parent != window.handle)) {
        return;
    }
    Window* dialog = desktop.DialogOf(*focused);
    HWND next = dialog != nullptr ? GetNextDlgTabItem(dialog->handle, focused->handle, FALSE) : nullptr;
    if (next == nullptr || next == focused->handle || !MoveFocus(next)) {
        desktop.focus = nullptr;
    }
}

size_t PreviousCharStart(const std::string& text, size_t at)
{
    size_t start = 0;
    size_t previous = 0;
    while (start < at && start < text.size()) {
        previous = start;
        start += host::Cp932CharLength(text, start);
    }
    return previous;
}

size_t NextCharEnd(const std::string& text, size_t at)
{
    size_t start = CharStartAtOrBefore(text, at);
    if (start >= text.size()) {
        return text.size();
    }
    return start + host::Cp932CharLength(text, start);
}

size_t CharStartAtOrBefore(const std::string& text, size_t at)
{
    size_t start = 0;
    while (start < text.size()) {
        size_t next = start + host::Cp932CharLength(text, start);
        if (next > at) {
            return start;
        }
        start = next;
    }
    return text.size();
}

}  // namespace win32
