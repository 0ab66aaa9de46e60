// The terminal front end (STMTPORT_UI=tui): draws the window model and is its keyboard.
#pragma once

#include <cstdint>
#include <optional>

#include "DialogPainter.h"
#include "Terminal.h"
#include "host/UiBackend.h"

namespace tui {

class MessageBoxView;
class SaveFileView;

class TerminalBackend : public host::UiBackend {
public:
    TerminalBackend() = default;
    ~TerminalBackend() override;
    // Sets the terminal up; false when there is none to use.
    bool Start();

    host::UiInput NextInput(const host::UiWindowView& window) override;
    int AnswerMessageBox(const host::UiMessageBox& box) override;
    std::optional<std::string> AnswerSaveFile(const host::UiSaveFile& dialog) override;

    void WindowShown(host::WindowHandle window, bool shown) override;
    void WindowChanged(host::WindowHandle window) override;
    void WindowDestroyed(host::WindowHandle window) override;
    void RepaintRequested(host::WindowHandle window) override;

    // At most this many frames a second while the program repaints without waiting for input.
    static constexpr int kFramesPerSecond = 30;

private:
    // Draws every visible window, then the overlay on top; a notice instead when the screen
    // is too small for any of them.
    void Draw(const MessageBoxView* box = nullptr, const SaveFileView* save = nullptr);
    KeyInput ReadKey();

    Terminal terminal_;
    DialogPainter painter_;
    // Microseconds of the monotonic clock (<chrono> does not compile with the CP932 execution set).
    int64_t lastFrame_ = 0;
    bool inputClosed_ = false;
};

}  // namespace tui
