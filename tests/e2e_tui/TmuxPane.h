// A program run in a detached tmux pane of a given size: keys in, screen text out, server killed at the end.
#pragma once

#include <map>
#include <string>
#include <vector>

class TmuxPane {
public:
    static bool Available();

    // Starts `command` (run by sh) in a pane of width x height with `environment` set.
    TmuxPane(const std::string& command, const std::map<std::string, std::string>& environment, int width = 80,
             int height = 24);
    ~TmuxPane();
    TmuxPane(const TmuxPane&) = delete;
    TmuxPane& operator=(const TmuxPane&) = delete;

    // The pane as text, one line a row; with escapes also the SGR attributes.
    std::string Capture(bool withEscapes = false) const;
    // Polls the pane until it contains `text` (UTF-8) or the timeout ends; the last capture in `seen`.
    bool WaitFor(const std::string& text, std::string& seen, int timeoutMs = 15000) const;
    bool WaitGone(const std::string& text, std::string& seen, int timeoutMs = 15000) const;
    // tmux key names such as "F12", "Escape", "Tab", "Enter".
    void Keys(const std::vector<std::string>& names) const;
    void Literal(const std::string& text) const;
    void Resize(int width, int height) const;

private:
    std::string Tmux(const std::string& arguments) const;
    std::string socket_;
};

std::string ShellQuote(const std::string& text);
