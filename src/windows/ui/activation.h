#pragma once

class QWidget;

// Tells an activation among the program's own windows apart from a window becoming active
// again after a modal dialog closed or after the user came back from another program:
// only a change of the active program window counts.
class ActivationTracker {
public:
    static ActivationTracker &instance();
    // Called when a program window becomes active; true when it counts as an activation.
    bool activated(const QWidget *window);
    // Called when a program window is destroyed.
    void forget(const QWidget *window);

private:
    const QWidget *last_ = nullptr;
};
