#pragma once

#include <functional>
#include <memory>

// A timer whose ticks arrive on the user-interface thread every interval milliseconds;
// an interval of 0 stops it at once.
class IntervalTimer {
public:
    virtual ~IntervalTimer() = default;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    void setOnTick(std::function<void()> onTick) { onTick_ = std::move(onTick); }

protected:
    void tick()
    {
        if (onTick_)
            onTick_();
    }

private:
    std::function<void()> onTick_;
};

using TimerFactory = std::function<std::unique_ptr<IntervalTimer>()>;

// The test double: ticks only when told to, and only while its interval is set.
class ManualTimer : public IntervalTimer {
public:
    void setInterval(int ms) override { interval_ = ms; }
    int interval() const override { return interval_; }
    // Delivers one tick if the timer is running; returns whether it did.
    bool advance()
    {
        if (interval_ <= 0)
            return false;
        tick();
        return true;
    }

private:
    int interval_ = 0;
};
