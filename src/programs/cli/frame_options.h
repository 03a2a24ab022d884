#pragma once

#include "sources/frame_preparation.h"
#include "sources/frame_source.h"

#include <QCommandLineParser>
#include <QSize>
#include <QStringList>

#include <optional>

namespace cli
{

// What every command that composes frames takes: the frame sources (pictures, animations,
// videos, folders), how many frames to pick from them and from which part of a video, how
// each frame is prepared, the slit width and the canvas size.
struct FrameSet {
    QStringList paths;
    std::optional<int> count;
    sources::TimeRange range;
    sources::Preparation preparation;
    int slit = 2;
    QSize canvas{640, 480};
    // No size was given: the canvas is the first frame's own size.
    bool canvasFromFirstFrame = false;
};

// Adds -w/--slit, -s/--size and the source options; readFrameSet checks them and the
// positional sources. Throws UsageError.
void addFrameSetOptions(QCommandLineParser &parser);
FrameSet readFrameSet(const QCommandLineParser &parser);

// --count, --from, --to, --fit, --silhouette[=T] and --invert, which compose and sheet
// share; readSourceChoices fills them into the set. Throws UsageError.
void addSourceOptions(QCommandLineParser &parser);
void readSourceChoices(const QCommandLineParser &parser, FrameSet &set);
// The parser knows no option with an optional value: "--silhouette=T" becomes
// "--silhouette --silhouette-threshold=T" before parsing.
QStringList expandOptionalValues(const QStringList &arguments);

// The sources named on the command line, at least one, and a canvas size "WxH" within the
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
