#pragma once

#include <QtGlobal>
#include <functional>
#include <memory>

// An alarm of a timeline: rings once, when its time has come, unless stopped first.
class Alarm {
public:
    virtual ~Alarm() = default;
    // Rings once, ms from now; starting it again moves it.
    virtual void start(qint64 ms) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

    std::function<void()> ring;
};

// Time as the program's logic sees it: milliseconds that only go forward, and alarms on them. The program
// runs on the system's clock and timers; tests drive one by hand, so that no test waits for real time.
class Timeline {
public:
    virtual ~Timeline() = default;
    virtual qint64 now() const = 0;
    virtual std::unique_ptr<Alarm> alarm() = 0;

    // The system's monotonic clock and the event loop's timers.
    static Timeline &system();
};
