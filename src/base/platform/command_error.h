#pragma once

#include <stdexcept>
#include <string>
#include <utility>

// An error of the running command. Every command handler that may fail runs under
// runSilently(), which ends the command at that point without a message and without
// undoing what was already done.
class CommandError : public std::runtime_error
{
  public:
    using std::runtime_error::runtime_error;
};

// A 16-bit integer left its range.
class OverflowError : public CommandError
{
  public:
    OverflowError() : CommandError("overflow") {}
};

// The user cancelled a dialog whose cancel is reported as an error.
class DialogCancelled : public CommandError
{
  public:
    DialogCancelled() : CommandError("cancelled") {}
};

// A file could not be written: the path and the system's reason, for the message that
// tells the user.
class FileNotWritten : public CommandError
{
  public:
    FileNotWritten(std::string path, std::string reason)
        : CommandError("cannot write " + path + ": " + reason), path_(std::move(path)),
          reason_(std::move(reason))
    {
    }
    const std::string &path() const { return path_; }
    const std::string &reason() const { return reason_; }

  private:
    std::string path_;
    std::string reason_;
};

// A confirmed print job did not come out: the printer's or the system's reason, for the
// message that tells the user.
class PrintNotCompleted : public CommandError
{
  public:
    explicit PrintNotCompleted(std::string reason)
        : CommandError("print not completed: " + reason), reason_(std::move(reason))
    {
    }
    const std::string &reason() const { return reason_; }

  private:
    std::string reason_;
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
