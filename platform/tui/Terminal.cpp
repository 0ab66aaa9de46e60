// The terminal under ncurses: set up once, shown from a canvas, restored on every way out.
#include "Terminal.h"

#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <langinfo.h>
#include <ncurses.h>

namespace tui {

namespace {

volatile sig_atomic_t cursesActive = 0;

void RestoreAndReraise(int signalNumber)
{
    Terminal::Restore();
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

void InstallHandlers()
{
    static bool installed = false;
    if (installed) return;
    installed = true;
    std::atexit(&Terminal::Restore);
    for (int signalNumber : {SIGSEGV, SIGABRT, SIGTERM, SIGINT, SIGHUP, SIGBUS, SIGFPE}) {
        struct sigaction action {};
        action.sa_handler = &RestoreAndReraise;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND;
        sigaction(signalNumber, &action, nullptr);
    }
}

bool UseUtf8Locale()
{
    std::setlocale(LC_ALL, "");
    const char* codeset = nl_langinfo(CODESET);
    if (codeset != nullptr && std::strcmp(codeset, "UTF-8") == 0) return true;
    return std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr;
}

}  // namespace

void Terminal::Restore()
{
    if (!cursesActive) return;
    cursesActive = 0;
    curs_set(1);
    endwin();
}

bool Terminal::Open()
{
    if (open_) return true;
    if (!UseUtf8Locale()) return false;
    // Short enough that a lone ESC cancels at once, long enough for a key's escape sequence.
    set_escdelay(25);
    if (newterm(nullptr, stdout, stdin) == nullptr) return false;
    cursesActive = 1;
    InstallHandlers();
    raw();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    meta(stdscr, TRUE);
    curs_set(0);
    decoder_.LoadTerminalKeys();
    open_ = true;
    return true;
}

Canvas& Terminal::Frame()
{
    int height = 0, width = 0;
    getmaxyx(stdscr, height, width);
    if (width != canvas_.Width() || height != canvas_.Height())
        canvas_.Resize(width, height);
    else
        canvas_.Clear();
    return canvas_;
}

void Terminal::Show(const Canvas& canvas)
{
    int height = 0, width = 0;
    getmaxyx(stdscr, height, width);
    for (int row = 0; row < canvas.Height() && row < height; ++row) {
        for (int col = 0; col < canvas.Width() && col < width; ++col) {
            const Cell& cell = canvas.At(col, row);
            if (cell.utf8[0] == 0) continue;
            attr_t attrs = A_NORMAL;
            if (cell.attr & kBold) attrs |= A_BOLD;
            if (cell.attr & kDim) attrs |= A_DIM;
            if (cell.attr & kReverse) attrs |= A_REVERSE;
            if (cell.attr & kUnderline) attrs |= A_UNDERLINE;
            wchar_t wide[2] = {0, 0};
            std::mbstate_t state{};
            if (std::mbrtowc(&wide[0], cell.utf8, std::strlen(cell.utf8), &state) > 4) wide[0] = L'?';
            cchar_t shown;
            setcchar(&shown, wide, attrs, 0, nullptr);
            mvadd_wch(row, col, &shown);
        }
    }
    if (canvas.cursorCol >= 0 && canvas.cursorRow >= 0) {
        move(canvas.cursorRow, canvas.cursorCol);
        curs_set(1);
    } else {
        curs_set(0);
    }
    refresh();
}

KeyInput Terminal::Decode(int kind, wint_t ch)
{
    bool alt = false;
    if (kind == OK && ch == 0x1B) {
        // An ESC that another key follows at once is the Alt prefix of that key.
        nodelay(stdscr, TRUE);
        wint_t next = 0;
        int nextKind = get_wch(&next);
        nodelay(stdscr, FALSE);
        if (nextKind == ERR) return decoder_.FromChar(0x1B, false);
        alt = true;
        kind = nextKind;
        ch = next;
    }
    return kind == KEY_CODE_YES ? decoder_.FromKeyCode(static_cast<int>(ch), alt)
                                : decoder_.FromChar(static_cast<wchar_t>(ch), alt);
}

KeyInput Terminal::ReadKey()
{
    if (hasPending_) {
        hasPending_ = false;
        return pending_;
    }
    int failures = 0;
    for (;;) {
        wint_t ch = 0;
        int kind = get_wch(&ch);
        if (kind == ERR) {
            // A blocking read that keeps failing means the terminal is gone: never spin on it.
            if (++failures >= 3) return KeyInput::Closed();
            continue;
        }
        failures = 0;
        KeyInput input = Decode(kind, ch);
        if (input.kind != KeyInput::kNone) return input;
    }
}

bool Terminal::KeyPending()
{
    if (hasPending_) return true;
    nodelay(stdscr, TRUE);
    wint_t ch = 0;
    int kind = get_wch(&ch);
    nodelay(stdscr, FALSE);
    if (kind == ERR) return false;
    pending_ = Decode(kind, ch);
    hasPending_ = pending_.kind != KeyInput::kNone;
    return hasPending_;
}

}  // namespace tui
