#include "sshost/progress.h"

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace sshost {

namespace {
// Shown only for work that takes longer than this, and rewritten at most this often.
constexpr auto kQuietStart = std::chrono::seconds(1);
constexpr auto kInterval = std::chrono::milliseconds(100);
} // namespace

TerminalProgress::TerminalProgress(std::string what, std::string unit)
    : what_(std::move(what)), unit_(std::move(unit)), terminal_(::isatty(STDERR_FILENO) == 1),
      start_(std::chrono::steady_clock::now()), shown_(start_) {}

TerminalProgress::~TerminalProgress() { finish(); }

void TerminalProgress::finish() {
    if (width_ == 0) return;
    std::fprintf(stderr, "\r%*s\r", static_cast<int>(width_), "");
    std::fflush(stderr);
    width_ = 0;
    terminal_ = false;
}

void TerminalProgress::update(std::size_t done, std::size_t total) {
    if (!terminal_) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - start_ < kQuietStart || (width_ > 0 && now - shown_ < kInterval && done < total)) return;
    shown_ = now;
    const std::string line = what_ + ": " + std::to_string(done) + " of " + std::to_string(total) + " " + unit_;
    const std::size_t width = std::max(width_, line.size());
    std::fprintf(stderr, "\r%-*s", static_cast<int>(width), line.c_str());
    std::fflush(stderr);
    width_ = width;
}

} // namespace sshost
