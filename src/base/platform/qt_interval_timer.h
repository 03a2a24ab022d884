#pragma once

#include "platform/interval_timer.h"

#include <QTimer>

class QtIntervalTimer : public IntervalTimer {
public:
    QtIntervalTimer();
    void setInterval(int ms) override;
    int interval() const override;

private:
    QTimer timer_;
    int interval_ = 0;
};
