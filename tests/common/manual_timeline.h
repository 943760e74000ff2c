#pragma once

#include "timeline.h"

#include <algorithm>
#include <vector>

// Time that moves only when the test says so: advance() rings each alarm that falls due on the way, in order.
class ManualTimeline : public Timeline {
public:
    qint64 now() const override { return m_now; }

    std::unique_ptr<Alarm> alarm() override { return std::make_unique<ManualAlarm>(*this); }

    void advance(qint64 ms)
    {
        const qint64 until = m_now + ms;
        for (;;) {
            ManualAlarm *next = nullptr;
            for (ManualAlarm *alarm : m_alarms) {
                if (alarm->due >= 0 && alarm->due <= until && (!next || alarm->due < next->due))
                    next = alarm;
            }
            if (!next)
                break;
            m_now = std::max(m_now, next->due);
            next->due = -1;
            if (next->ring)
                next->ring();
        }
        m_now = until;
    }

private:
    struct ManualAlarm : Alarm {
        explicit ManualAlarm(ManualTimeline &timeline) : timeline(timeline)
        {
            timeline.m_alarms.push_back(this);
        }
        ~ManualAlarm() override { std::erase(timeline.m_alarms, this); }
        void start(qint64 ms) override { due = timeline.m_now + std::max<qint64>(0, ms); }
        void stop() override { due = -1; }
        bool isActive() const override { return due >= 0; }
        ManualTimeline &timeline;
        qint64 due = -1;
    };

    qint64 m_now = 0;
    std::vector<ManualAlarm *> m_alarms;
};
