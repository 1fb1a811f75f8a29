#include "core/timer.h"

#include <chrono>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#define ZRK_TIMER_TSC 1
#endif

namespace {

using Steady = std::chrono::steady_clock;

std::int64_t steadyNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Steady::now().time_since_epoch()).count();
}

// The ticks: where the processor's time-stamp counter runs at one rate whatever the core's speed and
// sleep state (an invariant counter), the counter itself, read in a few cycles instead of a call
// into the kernel's clock; elsewhere the steady clock's nanoseconds.
struct TickSource {
    bool counter = false;
    std::int64_t originTicks = 0; // the counter and the steady clock at the first use
    std::int64_t originNanoseconds = 0;

    TickSource() {
#ifdef ZRK_TIMER_TSC
        unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
        counter = __get_cpuid(0x80000007, &eax, &ebx, &ecx, &edx) && (edx & (1u << 8)) != 0;
#endif
        originNanoseconds = steadyNanoseconds();
        originTicks = now();
    }
    std::int64_t now() const {
#ifdef ZRK_TIMER_TSC
        if (counter) return static_cast<std::int64_t>(__rdtsc());
#endif
        return steadyNanoseconds();
    }
    // Seconds per tick: the counter's rate measured against the steady clock over the time since the
    // first use (at least 10 ms, so that the two clocks' reading times weigh nothing).
    double secondsPerTick() const {
        if (!counter) return 1e-9;
        std::int64_t nanoseconds = steadyNanoseconds() - originNanoseconds;
        while (nanoseconds < 10000000) nanoseconds = steadyNanoseconds() - originNanoseconds;
        const std::int64_t ticks = now() - originTicks;
        return ticks > 0 ? static_cast<double>(nanoseconds) * 1e-9 / static_cast<double>(ticks) : 1e-9;
    }
};

const TickSource& ticks() {
    static const TickSource source;
    return source;
}

} // namespace

void Zrk_Timer::start() {
    started_ = ticks().now();
    running_ = true;
}

void Zrk_Timer::end() {
    if (!running_) return;
    total_ += ticks().now() - started_;
    ++runs_;
    running_ = false;
}

void Zrk_Timer::reset() {
    total_ = 0;
    runs_ = 0;
    running_ = false;
}

double Zrk_Timer::seconds() const {
    if (total_ == 0) return 0.0;
    return static_cast<double>(total_) * ticks().secondsPerTick();
}
