#pragma once
// Profiling timers: a Zrk_Timer accumulates the time between start and end over any number of runs;
// a Zrk_FunctionTimer times the scope it lives in.

#include <chrono>

#include "core/zrk_string.h"

class Zrk_Timer {
public:
    explicit Zrk_Timer(Zrk_String name = Zrk_String()) : name_(std::move(name)) {}

    // A start while running restarts the current run; an end without start does nothing.
    void start();
    void end();
    void reset();

    const Zrk_String& name() const { return name_; }
    double seconds() const { return std::chrono::duration<double>(total_).count(); }
    long long runs() const { return runs_; }
    bool isRunning() const { return running_; }

private:
    using Clock = std::chrono::steady_clock;
    Zrk_String name_;
    Clock::duration total_{};
    Clock::time_point started_{};
    long long runs_ = 0;
    bool running_ = false;
};

class Zrk_FunctionTimer {
public:
    explicit Zrk_FunctionTimer(Zrk_Timer& timer) : timer_(timer) { timer_.start(); }
    ~Zrk_FunctionTimer() { timer_.end(); }
    Zrk_FunctionTimer(const Zrk_FunctionTimer&) = delete;
    Zrk_FunctionTimer& operator=(const Zrk_FunctionTimer&) = delete;

private:
    Zrk_Timer& timer_;
};
