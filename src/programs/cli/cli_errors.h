#pragma once

#include "sources/frame_source.h"

#include <QString>

#include <stdexcept>

namespace cli
{

// The command line asks for something the program does not do: an unknown option, a
// value out of range, a wrong number of frames, an output type it cannot write. Exit
// status 2, with the reason and the usage.
class UsageError : public std::runtime_error
{
  public:
    explicit UsageError(const QString &reason)
        : std::runtime_error(reason.toStdString()), reason_(reason)
    {
    }
    const QString &reason() const { return reason_; }

  private:
    QString reason_;
};

// An input file could not be read or decoded, as the frame sources report it. Exit status
// 1; nothing has been written yet.
using InputNotRead = sources::SourceError;

} // namespace cli
