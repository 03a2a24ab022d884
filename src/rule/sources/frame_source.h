#pragma once

#include "platform/picture_file.h"

#include <QSize>
#include <QString>

#include <atomic>
#include <memory>
#include <optional>
#include <stdexcept>

// Where frames come from: one picture, a multi-frame picture (animated GIF or WebP), a
// video, or a folder of pictures. A source knows how many frames it has before any is
// decoded, and decodes one frame at a time at no more than the drawing needs, so that a
// long source is reduced to a few frames without holding more than one of them.
namespace sources
{

// A source that cannot be read, with the reason ("not a picture, video or folder", ...).
class SourceError : public std::runtime_error
{
  public:
    SourceError(const QString &path, const QString &reason)
        : std::runtime_error((path + QStringLiteral(": ") + reason).toStdString()), path_(path),
          reason_(reason)
    {
    }
    const QString &path() const { return path_; }
    const QString &reason() const { return reason_; }

  private:
    QString path_;
    QString reason_;
};

// The decoding was stopped from outside (the window's 「中止」).
class Cancelled : public std::runtime_error
{
  public:
    Cancelled() : std::runtime_error("cancelled") {}
};

// The part of a video to take frames from, in seconds from its start; both ends optional.
// A frame at time t is in the range when from <= t < to. Pictures and folders ignore it.
struct TimeRange {
    std::optional<double> from;
    std::optional<double> to;
};

enum class SourceKind { Picture, Animation, Video, Folder };

// A video longer than any real clip (over an hour at 60 frames a second), an animation
// with more frames, or a folder with more pictures is refused before it is read through.
constexpr int kMostSourceFrames = 250'000;
// The largest video frame decoded: 8K with room to spare.
constexpr qint64 kLargestVideoPixels = 8192LL * 8192;

class FrameSource
{
  public:
    virtual ~FrameSource() = default;
    virtual SourceKind kind() const = 0;
    // The frames in the source (for a video, in its range).
    virtual int frameCount() const = 0;
    // The size frame `index` has in its file, upright as it is shown.
    virtual QSize naturalSize(int index) const = 0;
    // Frame `index` decoded for drawing at no more than `bound` (invalid: whole): the
    // shorter side keeps at least the bound's longer side, so neither a contained nor a
    // covering fit is drawn from too few pixels. Frames asked in increasing order are
    // decoded in one pass. Throws SourceError, or Cancelled once *cancel is set.
    virtual DecodedPicture frame(int index, QSize bound,
                                 const std::atomic<bool> *cancel = nullptr) = 0;
};

// Opens a source by what the path holds: a folder, a picture Qt reads (several frames when
// it is animated), else a video FFmpeg reads. Reads headers only (a video's packets are
// counted, none decoded). Throws SourceError.
// A damaged picture (cut off, corrupted) is refused with "damaged: ..." when asked to.
std::unique_ptr<FrameSource> openFrameSource(const QString &path, const TimeRange &range = {},
                                             WhenDamaged damaged = WhenDamaged::Accept);

// The size a picture of the natural size is decoded to for drawing at `bound`: reduced so
// that its shorter side is still at least the bound's longer side, never enlarged.
QSize decodedSizeFor(QSize natural, QSize bound);

} // namespace sources
