#pragma once

#include <QByteArray>

#include <csignal>

// The names of temporary files that exist for the moment beside the files they will
// replace, so that a program stopped by a signal can remove them before it ends. Safe to
// use from any thread; the signal handler reads the names without locks or allocation.
namespace temporary_names
{

// Records a name before the file is made; returns a slot for forget(), or -1 when every
// slot is taken (the file is then made all the same).
int remember(const QByteArray &name);
void forget(int slot);

// Installs handlers for SIGINT, SIGTERM and SIGHUP that remove every remembered file and
// end the program at once with 128 + the signal's number (130, 143, 129), as a shell
// reports a program stopped by the signal. The handlers call only unlink() and _exit(),
// which are safe in a signal handler; the files being replaced are never touched before
// their temporaries are whole, so ending at any point leaves them as they were.
void removeOnSignals();

// What those handlers do, for a program that handles the signals in its own way: removes
// every remembered file and ends at once with 128 + `signal`. Safe in a signal handler.
[[noreturn]] void removeAllAndExit(int signal);

// Holds SIGINT, SIGTERM and SIGHUP back on this thread for its lifetime: a group of files
// renamed in its place is renamed whole, and a name is remembered before its file exists.
class SignalsHeld
{
  public:
    SignalsHeld();
    ~SignalsHeld();
    SignalsHeld(const SignalsHeld &) = delete;
    SignalsHeld &operator=(const SignalsHeld &) = delete;

  private:
    sigset_t saved_;
};

} // namespace temporary_names
