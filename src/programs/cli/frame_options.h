#pragma once

#include <QCommandLineParser>
#include <QSize>
#include <QStringList>

namespace cli
{

// What every command that composes frames takes: the frame files, the slit width and the
// canvas size.
struct FrameSet {
    QStringList paths;
    int slit = 2;
    QSize canvas{640, 480};
};

// Adds -w/--slit and -s/--size; readFrameSet checks them and the positional frames,
// 2 to 8 of them. Throws UsageError.
void addFrameSetOptions(QCommandLineParser &parser);
FrameSet readFrameSet(const QCommandLineParser &parser);

// The frames named on the command line, 2 to 8 of them, and a canvas size "WxH" within the
// frames rule's limits. Throw UsageError.
QStringList readFramePaths(const QCommandLineParser &parser);
QSize readCanvasSize(const QString &text);

// A whole number within [low, high] for the option, or UsageError naming the option.
int readNumber(const QString &option, const QString &text, int low, int high);

// The value of a file option, or an empty string when it was not given. Throws UsageError
// when the name ends in none of the given suffixes ("png", "bmp").
QString readOutputName(const QCommandLineParser &parser, const QString &option,
                       const QStringList &suffixes);

class Progress;

// Refuses, as a usage error, two outputs that reach one file and an output that would
// replace one of the frames: either would lose a picture. Names are compared by the files
// they reach, through symbolic links and hard links.
void checkDistinctFiles(const QStringList &inputs, const QStringList &outputs);

// Tells, with nothing written, of an output whose name holds something other than a
// regular file (a FIFO, a device, a folder), which is never replaced. False then.
bool outputsAreFilesOrTell(const QStringList &outputs, Progress &progress);

} // namespace cli
