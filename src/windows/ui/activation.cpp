#include "ui/activation.h"

ActivationTracker &ActivationTracker::instance()
{
    static ActivationTracker tracker;
    return tracker;
}

bool ActivationTracker::activated(const QWidget *window)
{
    if (window == last_)
        return false;
    last_ = window;
    return true;
}

void ActivationTracker::forget(const QWidget *window)
{
    if (last_ == window)
        last_ = nullptr;
}
