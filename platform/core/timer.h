#pragma once
// Profiling timers: a Zrk_Timer accumulates the time between start and end over any number of runs;
// a Zrk_FunctionTimer times the scope it lives in.
//
// The standards engine times phases around every equation cell it evaluates, so a timer's start and
// end must cost little next to the work they time: they read a tick counter (timer.cpp), and only
// seconds() turns ticks into time.

#include <cstdint>

#include "core/zrk_string.h"

class Zrk_Timer {
public:
    explicit Zrk_Timer(Zrk_String name = Zrk_String()) : name_(std::move(name)) {}

    // A start while running restarts the current run; an end without start does nothing.
    void start();
    void end();
    void reset();

    const Zrk_String& name() const { return name_; }
    double seconds() const;
    long long runs() const { return runs_; }
    bool isRunning() const { return running_; }

private:
    Zrk_String name_;
    std::int64_t total_ = 0; // ticks
    std::int64_t started_ = 0;
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
