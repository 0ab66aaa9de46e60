// The built-in controls: static, edit, push and radio buttons, group box and progress bar.
#include <algorithm>
#include <cstring>

#include "host/Codepage.h"
#include "window_model.h"

namespace win32 {
namespace {

// EM_LIMITTEXT 0 lifts the limit as far as an edit goes.
constexpr size_t kMaxLimit = 0x7FFFFFFE;

void Changed(const Window& control)
{
    host::Ui().WindowChanged(HandleValue(control.parent));
}

// Replaces the selection by `text`, cut at a character boundary to stay within the limit.
void ReplaceSelection(Window& edit, std::string_view text)
{
    size_t start = edit.SelectionStart();
    size_t end = edit.SelectionEnd();
    size_t room = edit.limit - std::min(edit.limit, edit.text.size() - (end - start));
    size_t take = 0;
    while (take < text.size()) {
        size_t length = host::Cp932CharLength(text, take);
        if (take + length > room) {
            break;
        }
        take += length;
    }
    edit.text.replace(start, end - start, text.substr(0, take));
    edit.anchor = edit.caret = start + take;
    Changed(edit);
}

// One typed character (a single byte, or a double-byte character as lead << 8 | trail).
void TypeChar(Window& edit, WPARAM code)
{
    if (code == VK_BACK) {
        if (edit.anchor == edit.caret) {
            edit.anchor = PreviousCharStart(edit.text, edit.caret);
        }
        ReplaceSelection(edit, "");
        return;
    }
    std::string character;
    if (code > 0xFF) {
        character += static_cast<char>((code >> 8) & 0xFF);
    }
    character += static_cast<char>(code & 0xFF);
    if (static_cast<unsigned char>(character[0]) < 0x20) {
        return;
    }
    if ((edit.style & ES_NUMBER) && !(character.size() == 1 && character[0] >= '0' && character[0] <= '9')) {
        return;
    }
    size_t selected = edit.SelectionEnd() - edit.SelectionStart();
    if (edit.text.size() - selected + character.size() > edit.limit) {
        return;
    }
    ReplaceSelection(edit, character);
}

void MoveCaret(Window& edit, size_t to, bool extend)
{
    edit.caret = to;
    if (!extend) {
        edit.anchor = to;
    }
    Changed(edit);
}

void EditKey(Window& edit, WPARAM vk, bool shift)
{
    const std::string& text = edit.text;
    bool collapsed = edit.anchor == edit.caret;
    switch (vk) {
    case VK_LEFT:
        MoveCaret(edit, !shift && !collapsed ? edit.SelectionStart() : PreviousCharStart(text, edit.caret), shift);
        break;
    case VK_RIGHT:
        MoveCaret(edit, !shift && !collapsed ? edit.SelectionEnd() : NextCharEnd(text, edit.caret), shift);
        break;
    case VK_HOME:
        MoveCaret(edit, 0, shift);
        break;
    case VK_END:
        MoveCaret(edit, text.size(), shift);
        break;
    case VK_DELETE:
        if (collapsed) {
            edit.caret = NextCharEnd(text, edit.caret);
        }
        ReplaceSelection(edit, "");
        break;
    case VK_BACK:
        TypeChar(edit, VK_BACK);
        break;
    case VK_SPACE:
        TypeChar(edit, ' ');
        break;
    default:
        break;
    }
}

size_t Clamp(const std::string& text, LONG_PTR position)
{
    if (position < 0 || static_cast<size_t>(position) > text.size()) {
        return text.size();
    }
    return CharStartAtOrBefore(text, static_cast<size_t>(position));
}

LRESULT EditMessage(Window& edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case EM_GETSEL: {
        DWORD start = static_cast<DWORD>(edit.SelectionStart());
        DWORD end = static_cast<DWORD>(edit.SelectionEnd());
        if (wParam != 0) {
            *reinterpret_cast<DWORD*>(wParam) = start;
        }
        if (lParam != 0) {
            *reinterpret_cast<DWORD*>(lParam) = end;
        }
        return static_cast<LRESULT>(MAKELPARAM(start, end));
    }
    case EM_SETSEL: {
        LONG_PTR start = static_cast<LONG_PTR>(static_cast<int>(wParam));
        if (start < 0) {
            edit.anchor = edit.caret;   // -1 drops the selection and keeps the caret
        } else {
            edit.anchor = Clamp(edit.text, start);
            edit.caret = Clamp(edit.text, static_cast<int>(lParam));
        }
        Changed(edit);
        return TRUE;
    }
    case EM_REPLACESEL:
        ReplaceSelection(edit, lParam != 0 ? reinterpret_cast<LPCSTR>(lParam) : "");
        return 0;
    case EM_LIMITTEXT:
        edit.limit = wParam == 0 ? kMaxLimit : static_cast<size_t>(wParam);
        return 0;
    case EM_GETLIMITTEXT:
        return static_cast<LRESULT>(edit.limit);
    case EM_SCROLLCARET:
        return TRUE;
    case WM_CHAR:
        TypeChar(edit, wParam);
        return 0;
    case WM_KEYDOWN:
        EditKey(edit, wParam, Desktop::Get().current.shift);
        return 0;
    case WM_LBUTTONDOWN: {
        // The caret goes to the end before the focus arrives, so that the focus event shows it.
        size_t anchor = edit.anchor;
        size_t caret = edit.caret;
        edit.anchor = edit.caret = edit.text.size();
        if (!MoveFocus(edit.handle)) {
            edit.anchor = anchor;
            edit.caret = caret;
        }
        Changed(edit);
        return 0;
    }
    default:
        return 0;
    }
}

LRESULT ButtonMessage(Window& button, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case BM_GETCHECK:
        return button.checked ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
        button.checked = wParam == BST_CHECKED;
        Changed(button);
        return 0;
    case BM_CLICK:
        ClickButton(button);
        return 0;
    case WM_LBUTTONDOWN:
        MoveFocus(button.handle);
        return 0;
    case WM_LBUTTONUP:
        ClickButton(button);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            ClickButton(button);
        }
        return 0;
    default:
        return 0;
    }
}

int Clamp(int value, int low, int high)
{
    return std::max(low, std::min(high, value));
}

LRESULT ProgressMessage(Window& bar, UINT message, WPARAM wParam, LPARAM lParam)
{
    int previous = bar.position;
    switch (message) {
    case PBM_SETRANGE:
    case PBM_SETRANGE32: {
        LRESULT old = static_cast<LRESULT>(MAKELPARAM(bar.rangeLow, bar.rangeHigh));
        if (message == PBM_SETRANGE) {
            bar.rangeLow = LOWORD(lParam);
            bar.rangeHigh = HIWORD(lParam);
        } else {
            bar.rangeLow = static_cast<int>(wParam);
            bar.rangeHigh = static_cast<int>(lParam);
        }
        bar.position = Clamp(bar.position, std::min(bar.rangeLow, bar.rangeHigh), std::max(bar.rangeLow, bar.rangeHigh));
        return old;
    }
    case PBM_GETRANGE:
        return wParam ? bar.rangeLow : bar.rangeHigh;
    case PBM_SETPOS:
        bar.position = Clamp(static_cast<int>(wParam), bar.rangeLow, std::max(bar.rangeLow, bar.rangeHigh));
        return previous;
    case PBM_DELTAPOS:
        bar.position = Clamp(bar.position + static_cast<int>(wParam), bar.rangeLow, std::max(bar.rangeLow, bar.rangeHigh));
        return previous;
    case PBM_GETPOS:
        return bar.position;
    case PBM_SETSTEP: {
        int old = bar.step;
        bar.step = static_cast<int>(wParam);
        return old;
    }
    case PBM_STEPIT: {
        // Past the end the bar starts over from the bottom of its range.
        int span = bar.rangeHigh - bar.rangeLow;
        int next = bar.position + bar.step;
        if (span <= 0) {
            next = bar.rangeLow;
        } else if (next > bar.rangeHigh) {
            next = bar.rangeLow + (next - bar.rangeLow) % span;
        } else if (next < bar.rangeLow) {
            next = bar.rangeLow;
        }
        bar.position = next;
        return previous;
    }
    default:
        return 0;
    }
}

}  // namespace

void SelectAll(Window& edit)
{
    edit.anchor = 0;
    edit.caret = edit.text.size();
    Changed(edit);
}

void SetControlText(Window& window, std::string text)
{
    window.text = std::move(text);
    if (window.kind == WindowKind::Edit) {
        window.anchor = window.caret = 0;
    }
    if (window.kind != WindowKind::Dialog) {
        Changed(window);
    }
}

void ClickButton(Window& button)
{
    if (!button.enabled || !button.visible) {
        return;
    }
    Window* dialog = Desktop::Get().DialogOf(button);
    if (dialog == nullptr) {
        return;
    }
    if (button.kind == WindowKind::RadioButton) {
        // An automatic radio button checks itself and clears the others of its group.
        size_t at = std::find(dialog->children.begin(), dialog->children.end(), button.handle) - dialog->children.begin();
        size_t first = at;
        while (first > 0 && !(Desktop::Get().Find(dialog->children[first])->style & WS_GROUP)) {
            --first;
        }
        for (size_t i = first; i < dialog->children.size(); ++i) {
            Window& other = *Desktop::Get().Find(dialog->children[i]);
            if (i > first && (other.style & WS_GROUP)) {
                break;
            }
            if (other.kind == WindowKind::RadioButton) {
                other.checked = &other == &button;
            }
        }
        Changed(button);
    } else if (button.kind != WindowKind::PushButton) {
        return;
    }
    SendCommand(*dialog, button.id, button.handle);
}

LRESULT ControlMessage(Window& control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETTEXT:
        SetControlText(control, lParam != 0 ? reinterpret_cast<LPCSTR>(lParam) : "");
        return TRUE;
    case WM_GETTEXT: {
        if (wParam == 0 || lParam == 0) {
            return 0;
        }
        LPSTR buffer = reinterpret_cast<LPSTR>(lParam);
        // Never half a double-byte character.
        size_t count = 0;
        while (count < control.text.size() && count + host::Cp932CharLength(control.text, count) < wParam) {
            count += host::Cp932CharLength(control.text, count);
        }
        std::memcpy(buffer, control.text.data(), count);
        buffer[count] = '\0';
        return static_cast<LRESULT>(count);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(control.text.size());
    default:
        break;
    }
    if (!control.enabled && (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_KEYDOWN || message == WM_CHAR)) {
        return 0;
    }
    switch (control.kind) {
    case WindowKind::Edit:
        return EditMessage(control, message, wParam, lParam);
    case WindowKind::PushButton:
    case WindowKind::RadioButton:
    case WindowKind::GroupBox:
        return ButtonMessage(control, message, wParam, lParam);
    case WindowKind::Progress:
        return ProgressMessage(control, message, wParam, lParam);
    case WindowKind::Static:
    case WindowKind::Dialog:
        return 0;
    }
    return 0;
}

}  // namespace win32
