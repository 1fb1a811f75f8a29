#include "ui/timers.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <vector>

#include "ui/user_interaction.h"

namespace ui {
namespace {

constexpr int kMinimumInterval = 10;

struct Timer {
    const void* owner = nullptr; // null for thread timers
    int id = 0;
    int interval = 0;
    TimerProc proc;
    QTimer* real = nullptr;   // on Qt's event loop, or
    long long due = 0;        // on the virtual clock
    long long serial = 0;     // creation order, for timers due at the same time
};

struct Timers {
    std::vector<std::unique_ptr<Timer>> all;
    long long now = 0;
    long long serial = 0;
    int nextThreadId = 1;
};

Timers& timers() {
    static Timers instance;
    return instance;
}

Timer* find(const void* owner, int id) {
    for (auto& timer : timers().all)
        if (timer->owner == owner && timer->id == id) return timer.get();
    return nullptr;
}

void fire(const void* owner, int id) {
    Timer* timer = find(owner, id);
    if (!timer) return;
    // The procedure may kill this timer, or start others: call a copy.
    const TimerProc proc = timer->proc;
    proc(id);
}

bool remove(const void* owner, int id) {
    auto& all = timers().all;
    const auto it = std::find_if(all.begin(), all.end(),
                                 [&](const auto& timer) { return timer->owner == owner && timer->id == id; });
    if (it == all.end()) return false;
    if (QTimer* real = (*it)->real) {
        real->stop();
        real->deleteLater(); // it may be the sender of the signal that is running now
    }
    all.erase(it);
    return true;
}

bool start(const void* owner, int id, int milliseconds, TimerProc proc) {
    remove(owner, id);
    const bool onVirtualClock = currentUserInteraction() && currentUserInteraction()->usesVirtualClock();
    if (!onVirtualClock && !QCoreApplication::instance()) return false;

    auto timer = std::make_unique<Timer>();
    timer->owner = owner;
    timer->id = id;
    timer->interval = std::max(milliseconds, kMinimumInterval);
    timer->proc = std::move(proc);
    timer->serial = ++timers().serial;
    if (onVirtualClock) {
        timer->due = timers().now + timer->interval;
    } else {
        timer->real = new QTimer(QCoreApplication::instance());
        timer->real->setInterval(timer->interval);
        QObject::connect(timer->real, &QTimer::timeout, timer->real, [owner, id] { fire(owner, id); });
        timer->real->start();
    }
    timers().all.push_back(std::move(timer));
    return true;
}

} // namespace

int setThreadTimer(int milliseconds, TimerProc proc) {
    const int id = timers().nextThreadId++;
    return start(nullptr, id, milliseconds, std::move(proc)) ? id : 0;
}

bool killThreadTimer(int timerId) { return remove(nullptr, timerId); }

bool ThreadTimer::start(int milliseconds, TimerProc proc) {
    stop();
    id_ = setThreadTimer(milliseconds, std::move(proc));
    return id_ != 0;
}

void ThreadTimer::stop() {
    if (id_) killThreadTimer(id_);
    id_ = 0;
}

bool setWindowTimer(const void* owner, int timerId, int milliseconds, TimerProc proc) {
    return owner && start(owner, timerId, milliseconds, std::move(proc));
}

bool killWindowTimer(const void* owner, int timerId) { return owner && remove(owner, timerId); }

void killWindowTimers(const void* owner) {
    if (!owner) return;
    std::vector<int> ids;
    for (const auto& timer : timers().all)
        if (timer->owner == owner) ids.push_back(timer->id);
    for (int id : ids) remove(owner, id);
}

bool hasWindowTimer(const void* owner, int timerId) { return owner && find(owner, timerId); }

void passTime(int milliseconds) {
    Timers& state = timers();
    const long long end = state.now + std::max(milliseconds, 0);
    for (;;) {
        Timer* next = nullptr;
        for (auto& timer : state.all) {
            if (timer->real || timer->due > end) continue;
            if (!next || timer->due < next->due || (timer->due == next->due && timer->serial < next->serial))
                next = timer.get();
        }
        if (!next) break;
        state.now = next->due;
        next->due += next->interval;
        fire(next->owner, next->id);
    }
    state.now = end;
}

long long virtualNow() { return timers().now; }

} // namespace ui
