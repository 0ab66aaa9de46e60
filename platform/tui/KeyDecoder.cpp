// Terminal input (ncurses key codes and characters) as the keys and modifiers of a Windows keyboard.
#include "KeyDecoder.h"

#include <climits>
#include <cstdio>
#include <cwchar>
#include <ncurses.h>

#include "windows.h"

namespace tui {

void ModifiersFromParameter(int parameter, bool& shift, bool& ctrl, bool& alt)
{
    int bits = parameter - 1;
    shift = bits & 1;
    alt = bits & 2;
    ctrl = bits & 4;
}

void KeyDecoder::Bind(int code, unsigned vk, bool shift, bool ctrl, bool alt)
{
    bindings_[code] = Binding{vk, shift, ctrl, alt};
}

void KeyDecoder::LoadTerminalKeys()
{
    // Function keys beyond F12 stand for modified F1..F12 in xterm's numbering: each further
    // dozen is one modifier parameter up (13-24 Shift, 25-36 Ctrl, 37-48 Ctrl+Shift, 49-60 Alt).
    static const int parameterOfDozen[] = {1, 2, 5, 6, 3, 4};
    for (int n = 13; n <= 63; ++n) {
        char name[8];
        std::snprintf(name, sizeof name, "kf%d", n);
        char* sequence = tigetstr(name);
        if (sequence == nullptr || sequence == reinterpret_cast<char*>(-1)) continue;
        bool shift, ctrl, alt;
        ModifiersFromParameter(parameterOfDozen[(n - 1) / 12], shift, ctrl, alt);
        Bind(KEY_F(n), VK_F1 + (n - 1) % 12, shift, ctrl, alt);
    }
    // Modified cursor and editing keys come as extended names with the parameter as suffix.
    struct Named {
        const char* name;
        unsigned vk;
    };
    static const Named named[] = {{"kLFT", VK_LEFT}, {"kRIT", VK_RIGHT}, {"kUP", VK_UP}, {"kDN", VK_DOWN},
                                  {"kHOM", VK_HOME}, {"kEND", VK_END}, {"kDC", VK_DELETE}};
    for (const Named& key : named) {
        for (int parameter = 2; parameter <= 8; ++parameter) {
            char name[16];
            if (parameter == 2)
                std::snprintf(name, sizeof name, "%s", key.name);
            else
                std::snprintf(name, sizeof name, "%s%d", key.name, parameter);
            char* sequence = tigetstr(name);
            if (sequence == nullptr || sequence == reinterpret_cast<char*>(-1)) continue;
            int code = key_defined(sequence);
            if (code <= 0) continue;
            bool shift, ctrl, alt;
            ModifiersFromParameter(parameter, shift, ctrl, alt);
            Bind(code, key.vk, shift, ctrl, alt);
        }
    }
}

KeyInput KeyDecoder::FromKeyCode(int code, bool alt) const
{
    KeyInput input;
    input.kind = KeyInput::kKey;
    input.alt = alt;
    auto bound = bindings_.find(code);
    if (bound != bindings_.end()) {
        input.vk = bound->second.vk;
        input.shift = bound->second.shift;
        input.ctrl = bound->second.ctrl;
        input.alt = alt || bound->second.alt;
        return input;
    }
    if (code >= KEY_F(1) && code <= KEY_F(12)) {
        input.vk = VK_F1 + (code - KEY_F(1));
        return input;
    }
    switch (code) {
    case KEY_ENTER: input.vk = VK_RETURN; break;
    case KEY_BACKSPACE: input.vk = VK_BACK; break;
    case KEY_DC: input.vk = VK_DELETE; break;
    case KEY_LEFT: input.vk = VK_LEFT; break;
    case KEY_RIGHT: input.vk = VK_RIGHT; break;
    case KEY_UP: input.vk = VK_UP; break;
    case KEY_DOWN: input.vk = VK_DOWN; break;
    case KEY_HOME: input.vk = VK_HOME; break;
    case KEY_END: input.vk = VK_END; break;
    case KEY_BTAB: input.vk = VK_TAB; input.shift = true; break;
    case KEY_SLEFT: input.vk = VK_LEFT; input.shift = true; break;
    case KEY_SRIGHT: input.vk = VK_RIGHT; input.shift = true; break;
    case KEY_SR: input.vk = VK_UP; input.shift = true; break;
    case KEY_SF: input.vk = VK_DOWN; input.shift = true; break;
    case KEY_SHOME: input.vk = VK_HOME; input.shift = true; break;
    case KEY_SEND: input.vk = VK_END; input.shift = true; break;
    case KEY_SDC: input.vk = VK_DELETE; input.shift = true; break;
    case KEY_RESIZE: input.kind = KeyInput::kResize; break;
    default: input.kind = KeyInput::kNone; break;
    }
    return input;
}

KeyInput KeyDecoder::FromChar(wchar_t ch, bool alt) const
{
    KeyInput input;
    input.kind = KeyInput::kKey;
    input.alt = alt;
    switch (ch) {
    case L'\r':
    case L'\n': input.vk = VK_RETURN; return input;
    case L'\t': input.vk = VK_TAB; return input;
    case 0x1B: input.vk = VK_ESCAPE; return input;
    case 0x7F:
    case 0x08: input.vk = VK_BACK; return input;
    case L' ': input.vk = VK_SPACE; return input;
    default: break;
    }
    if (ch >= 1 && ch <= 26) {
        input.vk = 'A' + static_cast<unsigned>(ch) - 1;
        input.ctrl = true;
        return input;
    }
    if (ch < 0x20) {
        input.kind = KeyInput::kNone;
        return input;
    }
    if (alt) {
        // Alt with a character is a key (a mnemonic), not typed text.
        input.vk = (ch >= L'a' && ch <= L'z') ? static_cast<unsigned>(ch - L'a' + 'A') : static_cast<unsigned>(ch);
        return input;
    }
    char utf8[MB_LEN_MAX + 1] = {};
    std::mbstate_t state{};
    size_t length = std::wcrtomb(utf8, ch, &state);
    if (length == static_cast<size_t>(-1)) {
        input.kind = KeyInput::kNone;
        return input;
    }
    input.kind = KeyInput::kText;
    input.utf8.assign(utf8, length);
    return input;
}

}  // namespace tui
