#include "app_support/stop_signals.h"

#include "platform/temporary_names.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace
{

int wakeUp[2] = {-1, -1};
std::atomic<int> noted{0};

static_assert(std::atomic<int>::is_always_lock_free, "the handler notes the signal lock-free");

extern "C" void noteSignal(int signal)
{
    if (noted.exchange(signal) != 0)
        temporary_names::removeAllAndExit(signal);
    const int saved = errno;
    const char byte = 1;
    if (::write(wakeUp[1], &byte, 1) != 1)
        temporary_names::removeAllAndExit(signal);
    errno = saved;
}

} // namespace

void endOnStopSignals(QCoreApplication &app)
{
    if (wakeUp[0] >= 0)
        return;
    if (::pipe2(wakeUp, O_CLOEXEC | O_NONBLOCK) != 0) {
        // Without a way to wake the loop, the handlers do all of it themselves.
        temporary_names::removeOnSignals();
        return;
    }
    auto *notifier = new QSocketNotifier(wakeUp[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        std::fflush(nullptr);
        const temporary_names::SignalsHeld held;
        temporary_names::removeAllAndExit(noted.load());
    });
    struct sigaction action {
    };
    action.sa_handler = noteSignal;
    action.sa_flags = SA_RESTART;
    sigfillset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
}
