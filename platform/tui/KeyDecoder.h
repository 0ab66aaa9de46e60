// Terminal input (ncurses key codes and characters) as the keys and modifiers of a Windows keyboard.
#pragma once

#include <map>
#include <string>

namespace tui {

struct KeyInput {
    enum Kind { kNone, kKey, kText, kResize, kClosed };   // kClosed: the terminal input ended
    Kind kind = kNone;
    unsigned vk = 0;      // VK_* for kKey
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    std::string utf8;     // the typed character for kText

    static KeyInput Closed()
    {
        KeyInput input;
        input.kind = kClosed;
        return input;
    }
};

class KeyDecoder {
public:
    // Reads the terminal's extended key names (kf13 = Shift+F1 ..., kLFT5 = Ctrl+Left ...);
    // needs the terminal set up. Without it only the plain keys are known.
    void LoadTerminalKeys();

    // A key code from get_wch (KEY_CODE_YES). `alt` when an ESC came right before it.
    KeyInput FromKeyCode(int code, bool alt) const;
    // A character from get_wch; `alt` when an ESC came right before it.
    KeyInput FromChar(wchar_t ch, bool alt) const;

    // Binds a key code to a key with modifiers (what LoadTerminalKeys does for each name found).
    void Bind(int code, unsigned vk, bool shift, bool ctrl, bool alt);

private:
    struct Binding {
        unsigned vk;
        bool shift, ctrl, alt;
    };
    std::map<int, Binding> bindings_;
};

// The modifiers of xterm's CSI parameter: 2 Shift, 3 Alt, 4 Shift+Alt, 5 Ctrl, 6 Ctrl+Shift,
// 7 Ctrl+Alt, 8 all three.
void ModifiersFromParameter(int parameter, bool& shift, bool& ctrl, bool& alt);

}  // namespace tui
