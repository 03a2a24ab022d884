#pragma once

#include <QString>

#include <atomic>
#include <functional>

class QWidget;

// Work that may take long (decoding a video, making a print sheet) runs on a thread of its own while the window
// keeps drawing. After half a second a progress dialog with 「中止」 shows; 「中止」 sets the
// flag the work watches. `work` is given the flag and a function to report how many of
// `steps` are done. Returns false when it was cancelled (the work threw Cancelled);
// rethrows whatever else the work threw. One piece of work runs at a time: asked for
// another meanwhile (a click before the dialog shows), it does nothing and returns false.
using BackgroundWork =
    std::function<void(const std::atomic<bool> &cancel, const std::function<void(int)> &done)>;
bool runInBackground(QWidget *parent, const QString &label, int steps, const BackgroundWork &work);
