// The terminal front end (STMTPORT_UI=tui): draws the window model and is its keyboard.
#include "TerminalBackend.h"

#include <algorithm>
#include <cstdint>
#include <ctime>

#include "MessageBoxView.h"
#include "SaveFileView.h"
#include "host/Codepage.h"
#include "windows.h"

namespace tui {

namespace {

int64_t MonotonicMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

}  // namespace

TerminalBackend::~TerminalBackend()
{
    Terminal::Restore();
}

bool TerminalBackend::Start()
{
    return terminal_.Open();
}

void TerminalBackend::Draw(const MessageBoxView* box, const SaveFileView* save)
{
    Canvas& canvas = terminal_.Frame();
    int neededWidth = 0, neededHeight = 0;
    bool fits = true;
    if (const host::UiModel* model = host::RegisteredUiModel()) {
        host::UiWindowView view;
        for (host::WindowHandle window : model->VisibleWindows()) {
            if (!model->Describe(window, view) || !view.visible) continue;
            DialogPlacement placement = DialogPainter::Place(view, canvas.Width(), canvas.Height());
            neededWidth = std::max(neededWidth, placement.frame.width);
            neededHeight = std::max(neededHeight, placement.frame.height);
            fits = fits && placement.fits;
            if (fits) {
                // Only the topmost window shows its caret.
                canvas.cursorCol = canvas.cursorRow = -1;
                painter_.Paint(canvas, view);
            }
        }
    }
    if (box) {
        neededWidth = std::max(neededWidth, box->NeededWidth());
        neededHeight = std::max(neededHeight, box->NeededHeight());
        canvas.cursorCol = canvas.cursorRow = -1;
        fits = fits && box->Paint(canvas);
    }
    if (save) {
        neededWidth = std::max(neededWidth, SaveFileView::kNeededWidth);
        neededHeight = std::max(neededHeight, SaveFileView::kNeededHeight);
        canvas.cursorCol = canvas.cursorRow = -1;
        fits = fits && save->Paint(canvas);
    }
    if (!fits) PaintSizeNotice(canvas, neededWidth, neededHeight);
    terminal_.Show(canvas);
    lastFrame_ = MonotonicMicroseconds();
}

KeyInput TerminalBackend::ReadKey()
{
    // Once the terminal input has ended every question gets the answer of a user who left.
    if (!inputClosed_) {
        KeyInput key = terminal_.ReadKey();
        if (key.kind != KeyInput::kClosed) return key;
        inputClosed_ = true;
    }
    return KeyInput::Closed();
}

host::UiInput TerminalBackend::NextInput(const host::UiWindowView& window)
{
    host::UiInput input;
    for (;;) {
        if (inputClosed_ || !terminal_.KeyPending()) Draw();
        KeyInput key = ReadKey();
        switch (key.kind) {
        case KeyInput::kClosed:
            input.kind = host::UiInput::Abandon;
            return input;
        case KeyInput::kText:
            input.kind = host::UiInput::Type;
            input.text = host::Utf8ToCp932(key.utf8);
            host::LogWait(window);
            return input;
        case KeyInput::kKey: {
            const host::UiControlView* focus = window.Focused();
            bool inEdit = focus != nullptr && focus->controlClass == ControlClass::Edit;
            if (key.vk == VK_SPACE && inEdit && !key.ctrl && !key.alt) {
                // In an edit the space bar types; elsewhere it is the key that presses buttons.
                input.kind = host::UiInput::Type;
                input.text = " ";
            } else {
                input.kind = host::UiInput::Key;
                input.vk = key.vk;
                input.shift = key.shift;
                input.ctrl = key.ctrl;
                input.alt = key.alt;
            }
            host::LogWait(window);
            return input;
        }
        case KeyInput::kResize:
        case KeyInput::kNone: break;
        }
    }
}

int TerminalBackend::AnswerMessageBox(const host::UiMessageBox& box)
{
    MessageBoxView view(box);
    for (;;) {
        Draw(&view);
        KeyInput key = ReadKey();
        if (int answer = view.HandleKey(key)) {
            Draw();
            return answer;
        }
    }
}

std::optional<std::string> TerminalBackend::AnswerSaveFile(const host::UiSaveFile& dialog)
{
    SaveFileView view(dialog);
    for (;;) {
        std::optional<SaveFileView::Notice> notice = view.PendingNotice();
        if (notice) {
            host::UiMessageBox box;
            box.caption = dialog.title.value_or("");
            box.text = notice->text;
            box.buttons = notice->question ? host::UiButtons::YesNo : host::UiButtons::Ok;
            box.iconFlags = MB_ICONEXCLAMATION;
            MessageBoxView noticeView(box);
            int answer = 0;
            while (answer == 0) {
                Draw(&noticeView);
                KeyInput key = ReadKey();
                        answer = noticeView.HandleKey(key);
            }
            if (view.AnswerNotice(answer) == SaveFileView::Outcome::Confirmed) break;
            continue;
        }
        Draw(nullptr, &view);
        KeyInput key = ReadKey();
        SaveFileView::Outcome outcome = view.HandleKey(key);
        if (outcome == SaveFileView::Outcome::Cancelled) {
            Draw();
            return std::nullopt;
        }
        if (outcome == SaveFileView::Outcome::Confirmed) break;
    }
    Draw();
    return view.Result();
}

void TerminalBackend::WindowShown(host::WindowHandle, bool)
{
    // Appearing and disappearing windows are rare; show them at once.
    Draw();
}

void TerminalBackend::WindowChanged(host::WindowHandle)
{
    // Drawn with the next frame that is due, or when the program waits for input.
}

void TerminalBackend::WindowDestroyed(host::WindowHandle)
{
    Draw();
}

void TerminalBackend::RepaintRequested(host::WindowHandle)
{
    // Tens of thousands of requests a run: one clock reading each, a frame only when due.
    if (MonotonicMicroseconds() - lastFrame_ >= 1000000 / kFramesPerSecond) Draw();
}

}  // namespace tui

namespace host {

std::unique_ptr<UiBackend> MakeTerminalBackend(std::string& error)
{
    auto backend = std::make_unique<tui::TerminalBackend>();
    if (!backend->Start()) {
        error = "the terminal front end needs a terminal with a UTF-8 locale (set STMTPORT_UI=script:PATH to run without one)";
        return nullptr;
    }
    return backend;
}

}  // namespace host
