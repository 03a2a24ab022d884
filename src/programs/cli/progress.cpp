#include "cli/progress.h"

#include <algorithm>
#include <system_error>

namespace cli
{

namespace
{

// Set while the program loads, before main runs.
const auto programStart = std::chrono::steady_clock::now();

} // namespace

std::chrono::milliseconds Progress::fromProgramStart(std::chrono::milliseconds after)
{
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - programStart);
    return std::max(after - elapsed, std::chrono::milliseconds(0));
}

Progress::Progress(QTextStream &err, bool quiet, std::chrono::milliseconds after)
    : err_(err), quiet_(quiet)
{
    if (quiet)
        return;
    if (after.count() <= 0) {
        live_ = true;
        return;
    }
    // The watch sleeps until the work is long enough or done, whichever comes first; the
    // work itself never waits for it.
    // Where no thread can be started, the work goes on without progress.
    try {
        watch_ = std::thread([this, after] {
            std::unique_lock lock(mutex_);
            if (finished_.wait_for(lock, after, [this] { return done_; }))
                return;
            live_ = true;
            if (!current_.isEmpty())
                print(current_);
        });
    } catch (const std::system_error &) {
    }
}

Progress::~Progress()
{
    {
        std::lock_guard lock(mutex_);
        done_ = true;
    }
    finished_.notify_all();
    if (watch_.joinable())
        watch_.join();
}

void Progress::step(const QString &what)
{
    std::lock_guard lock(mutex_);
    current_ = what;
    if (live_)
        print(what);
}

void Progress::note(const QString &text)
{
    std::lock_guard lock(mutex_);
    if (!quiet_)
        print(text);
}

void Progress::report(const QString &text)
{
    std::lock_guard lock(mutex_);
    print(text);
}

void Progress::print(const QString &what)
{
    err_ << "lintaro-cli: " << what << Qt::endl;
}

} // namespace cli
