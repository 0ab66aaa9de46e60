// The terminal under ncurses: set up once, shown from a canvas, restored on every way out.
#pragma once

#include "Canvas.h"
#include "KeyDecoder.h"

namespace tui {

class Terminal {
public:
    // Switches to a UTF-8 locale (C.UTF-8 when the environment has none) and starts ncurses
    // with a short ESC delay; installs the restoring exit and signal handlers. False when the
    // terminal cannot be set up.
    bool Open();
    // Gives the screen back; safe to call more than once and from the handlers.
    static void Restore();
    bool IsOpen() const { return open_; }

    // The canvas sized to the screen as it is now.
    Canvas& Frame();
    // Sends the canvas to the screen; only changed cells travel.
    void Show(const Canvas& canvas);

    // Waits for the next key, character or resize. ESC followed at once by another key is Alt.
    KeyInput ReadKey();
    // True when a key has been typed that ReadKey has not returned yet (typed ahead or pasted):
    // a frame drawn now would be outdated at once.
    bool KeyPending();

private:
    KeyInput Decode(int kind, wint_t ch);

    bool open_ = false;
    bool hasPending_ = false;
    KeyInput pending_;
    Canvas canvas_;
    KeyDecoder decoder_;
};

}  // namespace tui
