#pragma once

// The longest stall of the event loop while a StallMeter lives: the longest gap between two
// ticks of a 10 ms timer, which is what a user would see as a frozen window.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>

class StallMeter {
public:
    StallMeter()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { m_longest = std::max(m_longest, m_clock.restart()); });
        m_clock.start();
        m_timer.start(10);
    }
    StallMeter(const StallMeter &) = delete;
    StallMeter &operator=(const StallMeter &) = delete;

    // In milliseconds.
    qint64 longest() const { return m_longest; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
};
