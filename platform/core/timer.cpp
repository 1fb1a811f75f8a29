#include "core/timer.h"

void Zrk_Timer::start() {
    started_ = Clock::now();
    running_ = true;
}

void Zrk_Timer::end() {
    if (!running_) return;
    total_ += Clock::now() - started_;
    ++runs_;
    running_ = false;
}

void Zrk_Timer::reset() {
    total_ = {};
    runs_ = 0;
    running_ = false;
}
