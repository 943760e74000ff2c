#include "timeline.h"

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <limits>

namespace {
class SystemAlarm : public Alarm {
public:
    SystemAlarm()
    {
        m_timer.setSingleShot(true);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (ring)
                ring();
        });
    }
    void start(qint64 ms) override
    {
        m_timer.start(int(std::clamp<qint64>(ms, 0, std::numeric_limits<int>::max())));
    }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

class SystemTimeline : public Timeline {
public:
    SystemTimeline() { m_clock.start(); }
    qint64 now() const override { return m_clock.elapsed(); }
    std::unique_ptr<Alarm> alarm() override { return std::make_unique<SystemAlarm>(); }

private:
    QElapsedTimer m_clock;
};
} // namespace

Timeline &Timeline::system()
{
    static SystemTimeline timeline;
    return timeline;
}
