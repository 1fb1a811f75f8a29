#pragma once
// Timers of the user-interface thread. A timer fires again and again, every interval, until it is
// killed. Window timers belong to a window and carry the id the window chose (Dialog::setTimer);
// thread timers belong to nobody and get an id from here.
//
// Timers run on Qt's event loop, or on a virtual clock: a timer started while the installed user
// interaction asks for it (a ScriptedUser in tests) fires only when time is passed explicitly
// (passTime), in the order of its due times, without any event loop.

#include <functional>

namespace ui {

using TimerProc = std::function<void(int timerId)>;

// The interval is at least 10 ms. Answers the timer's id (above 0), or 0 without a Qt application
// when the clock is not virtual.
int setThreadTimer(int milliseconds, TimerProc proc);
// False when there is no such timer.
bool killThreadTimer(int timerId);

// Timers of a window (owner), by the window's id. Setting an id that runs restarts it.
bool setWindowTimer(const void* owner, int timerId, int milliseconds, TimerProc proc);
bool killWindowTimer(const void* owner, int timerId);
void killWindowTimers(const void* owner);
bool hasWindowTimer(const void* owner, int timerId);

// A thread timer that belongs to an object: it runs from start() until stop() or until the object
// goes, so that whoever owns the object cannot leave the timer behind.
class ThreadTimer {
public:
    ThreadTimer() = default;
    ~ThreadTimer() { stop(); }
    ThreadTimer(const ThreadTimer&) = delete;
    ThreadTimer& operator=(const ThreadTimer&) = delete;

    // Starts the timer (again, when it runs). False when no timer could be made (setThreadTimer).
    bool start(int milliseconds, TimerProc proc);
    void stop();
    bool isActive() const { return id_ != 0; }
    // The thread timer's id, 0 when it is stopped.
    int id() const { return id_; }

private:
    int id_ = 0;
};

// Lets the virtual clock run for that long, firing every virtual timer that falls due.
void passTime(int milliseconds);
// The virtual clock's time since the program started, in milliseconds.
long long virtualNow();

} // namespace ui
