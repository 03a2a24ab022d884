#include "platform/temporary_names.h"

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>

#include <pthread.h>
#include <unistd.h>

namespace temporary_names
{

namespace
{

enum SlotState : int { kFree, kFilling, kReady };

struct Slot {
    std::atomic<int> state{kFree};
    char name[PATH_MAX];
};

// A program writes a handful of files at once (a picture, its lattice, a folder of preview
// frames); more than this many at a time are not remembered.
constexpr int kSlots = 256;
Slot remembered[kSlots];

static_assert(std::atomic<int>::is_always_lock_free, "the handler reads the remembered lock-free");

extern "C" void removeAndExit(int signal)
{
    removeAllAndExit(signal);
}

sigset_t stopSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}

} // namespace

int remember(const QByteArray &name)
{
    if (name.size() >= PATH_MAX)
        return -1;
    for (int i = 0; i < kSlots; ++i) {
        int expected = kFree;
        if (!remembered[i].state.compare_exchange_strong(expected, kFilling))
            continue;
        std::memcpy(remembered[i].name, name.constData(), size_t(name.size()) + 1);
        remembered[i].state.store(kReady, std::memory_order_release);
        return i;
    }
    return -1;
}

void forget(int slot)
{
    if (slot >= 0 && slot < kSlots)
        remembered[slot].state.store(kFree, std::memory_order_release);
}

void removeAllAndExit(int signal)
{
    for (Slot &slot : remembered)
        if (slot.state.load(std::memory_order_acquire) == kReady)
            ::unlink(slot.name);
    ::_exit(128 + signal);
}

void removeOnSignals()
{
    struct sigaction action {
    };
    action.sa_handler = removeAndExit;
    sigfillset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
}

SignalsHeld::SignalsHeld()
{
    const sigset_t held = stopSignals();
    pthread_sigmask(SIG_BLOCK, &held, &saved_);
}

SignalsHeld::~SignalsHeld()
{
    pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
}

} // namespace temporary_names
