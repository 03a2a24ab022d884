#pragma once

#include <stdexcept>
#include <string>

// An error of the running command. Every command handler that may fail runs under
// runSilently(), which ends the command at that point without a message and without
// undoing what was already done.
class CommandError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A 16-bit integer left its range.
class OverflowError : public CommandError {
public:
    OverflowError() : CommandError("overflow") {}
};

// The user cancelled a dialog whose cancel is reported as an error.
class DialogCancelled : public CommandError {
public:
    DialogCancelled() : CommandError("cancelled") {}
};

template <typename Fn> bool runSilently(Fn &&fn)
{
    try {
        fn();
        return true;
    } catch (const CommandError &) {
        return false;
    }
}
