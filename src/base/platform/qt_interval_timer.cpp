#include "platform/qt_interval_timer.h"

QtIntervalTimer::QtIntervalTimer()
{
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
}

void QtIntervalTimer::setInterval(int ms)
{
    interval_ = ms;
    if (ms <= 0) {
        timer_.stop();
        return;
    }
    timer_.start(ms);
}

int QtIntervalTimer::interval() const
{
    return interval_;
}
