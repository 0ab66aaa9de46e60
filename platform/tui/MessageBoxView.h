// A message box in the terminal: icon marker, text with its line breaks, buttons; keys choose one.
#pragma once

#include <string>
#include <vector>

#include "Canvas.h"
#include "KeyDecoder.h"
#include "host/UiBackend.h"

namespace tui {

class MessageBoxView {
public:
    explicit MessageBoxView(const host::UiMessageBox& box);

    // Centred over whatever the canvas holds; false when the screen is too small for it.
    bool Paint(Canvas& canvas) const;
    // The smallest screen on which the box fits.
    int NeededWidth() const;
    int NeededHeight() const;

    // 0 while the box stays open, otherwise the IDOK/IDCANCEL/IDYES/IDNO chosen.
    int HandleKey(const KeyInput& key);
    // The answer when the user is gone: the safe one (Cancel, No, or OK when it is the only one).
    int SafeAnswer() const;

private:
    struct Button {
        int id;
        std::string label;   // CP932, with its mnemonic
        unsigned mnemonic;   // VK letter, 0 for none
    };
    std::vector<std::vector<Glyph>> WrappedLines(int maxWidth) const;
    int ButtonsWidth() const;
    bool Has(int id) const;

    host::UiMessageBox box_;
    std::string marker_;
    std::vector<Button> buttons_;
    int focus_ = 0;
};

}  // namespace tui
