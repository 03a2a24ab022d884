#pragma once

#include "sources/frame_source.h"

#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace sources
{

// The frames of several sources one after the other, as one sequence: what the command
// line's frame arguments and a dropped set of files give.
class FrameSequence
{
  public:
    // Opens every source in order. Throws SourceError naming the first that fails.
    FrameSequence(const QStringList &paths, const TimeRange &range = {},
                  WhenDamaged damaged = WhenDamaged::Accept);

    // M: the frames of all sources (videos counted in their range).
    int total() const { return total_; }
    // Whether any source is a video.
    bool hasVideo() const;
    // The frames taken: see pickFrames.
    std::vector<int> pick(std::optional<int> count) const;
    QSize naturalSize(int index) const;
    // Frame `index` of the sequence; see FrameSource::frame.
    DecodedPicture frame(int index, QSize bound, const std::atomic<bool> *cancel = nullptr);
    // The file frame `index` comes from.
    const QString &pathOf(int index) const;

  private:
    std::pair<size_t, int> locate(int index) const;

    QStringList paths_;
    std::vector<std::unique_ptr<FrameSource>> sources_;
    std::vector<int> starts_;
    int total_ = 0;
};

} // namespace sources
