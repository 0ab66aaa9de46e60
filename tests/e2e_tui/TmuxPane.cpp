// A program run in a detached tmux pane of a given size: keys in, screen text out, server killed at the end.
#include "TmuxPane.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

std::string ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

namespace {

std::string Run(const std::string& command)
{
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return output;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    ::pclose(pipe);
    return output;
}

}  // namespace

bool TmuxPane::Available()
{
    return std::system("command -v tmux >/dev/null 2>&1") == 0;
}

TmuxPane::TmuxPane(const std::string& command, const std::map<std::string, std::string>& environment, int width,
                   int height)
{
    static std::atomic<int> counter{0};
    socket_ = "stmtport-tui-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    std::string script = "cd " + ShellQuote(STMTPORT_BUILD_DIR) + " && exec env";
    for (const auto& [name, value] : environment) script += " " + name + "=" + ShellQuote(value);
    script += " sh -c " + ShellQuote(command + "; echo \"[exit $?]\"; sleep 120");
    Tmux("-f /dev/null new-session -d -x " + std::to_string(width) + " -y " + std::to_string(height) + " -s run " +
         ShellQuote(script));
}

TmuxPane::~TmuxPane()
{
    Tmux("kill-server");
}

std::string TmuxPane::Tmux(const std::string& arguments) const
{
    // -u: the pane speaks UTF-8 whatever the test's own locale is.
    return Run("LANG=C.UTF-8 tmux -u -L " + socket_ + " " + arguments + " 2>/dev/null");
}

std::string TmuxPane::Capture(bool withEscapes) const
{
    return Tmux(std::string("capture-pane -p ") + (withEscapes ? "-e " : "") + "-t run");
}

bool TmuxPane::WaitFor(const std::string& text, std::string& seen, int timeoutMs) const
{
    for (int waited = 0;; waited += 50) {
        seen = Capture();
        if (seen.find(text) != std::string::npos) return true;
        if (waited >= timeoutMs) return false;
        ::usleep(50 * 1000);
    }
}

bool TmuxPane::WaitGone(const std::string& text, std::string& seen, int timeoutMs) const
{
    for (int waited = 0;; waited += 50) {
        seen = Capture();
        if (seen.find(text) == std::string::npos) return true;
        if (waited >= timeoutMs) return false;
        ::usleep(50 * 1000);
    }
}

void TmuxPane::Keys(const std::vector<std::string>& names) const
{
    std::string arguments = "send-keys -t run";
    for (const std::string& name : names) arguments += " " + name;
    Tmux(arguments);
}

void TmuxPane::Literal(const std::string& text) const
{
    Tmux("send-keys -t run -l " + ShellQuote(text));
}

void TmuxPane::Resize(int width, int height) const
{
    Tmux("resize-window -t run -x " + std::to_string(width) + " -y " + std::to_string(height));
}
