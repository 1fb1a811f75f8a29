#pragma once
// Progress of a long command on the terminal: "test-standard: 120 of 300 cases" on one line of
// standard error, rewritten as the work goes on. It shows only when standard error is a terminal
// (a log file or a pipe gets nothing of it) and only once the work has taken a second, and it is
// gone when the work ends.

#include <chrono>
#include <cstddef>
#include <string>

namespace sshost {

class TerminalProgress {
public:
    // what: the command, unit: what is counted ("cases", "rows").
    TerminalProgress(std::string what, std::string unit);
    ~TerminalProgress();
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    // done of total are finished.
    void update(std::size_t done, std::size_t total);
    // Takes the line away (before the command prints its results); the destructor does too.
    void finish();

private:
    std::string what_;
    std::string unit_;
    bool terminal_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point shown_;
    std::size_t width_ = 0; // of the line shown, to blank it out
};

} // namespace sshost
