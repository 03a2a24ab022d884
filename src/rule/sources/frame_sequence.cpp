#include "sources/frame_sequence.h"

#include "sources/frame_picking.h"

#include <algorithm>
#include <stdexcept>

namespace sources
{

FrameSequence::FrameSequence(const QStringList &paths, const TimeRange &range, WhenDamaged damaged)
    : paths_(paths)
{
    for (const QString &path : paths) {
        sources_.push_back(openFrameSource(path, range, damaged));
        starts_.push_back(total_);
        const int count = sources_.back()->frameCount();
        if (count > kMostSourceFrames - total_)
            throw SourceError(path, QStringLiteral("too many frames"));
        total_ += count;
    }
}

bool FrameSequence::hasVideo() const
{
    return std::any_of(sources_.begin(), sources_.end(),
                       [](const auto &s) { return s->kind() == SourceKind::Video; });
}

std::vector<int> FrameSequence::pick(std::optional<int> count) const
{
    return pickFrames(total_, count);
}

std::pair<size_t, int> FrameSequence::locate(int index) const
{
    if (index < 0 || index >= total_)
        throw std::out_of_range("no such frame");
    const auto after = std::upper_bound(starts_.begin(), starts_.end(), index);
    // A source without frames (a video range holding none) shares its start with the next,
    // so the last source starting at or before the index holds it.
    const size_t source = size_t(after - starts_.begin()) - 1;
    return {source, index - starts_[source]};
}

QSize FrameSequence::naturalSize(int index) const
{
    const auto [source, local] = locate(index);
    return sources_[source]->naturalSize(local);
}

DecodedPicture FrameSequence::frame(int index, QSize bound, const std::atomic<bool> *cancel)
{
    const auto [source, local] = locate(index);
    return sources_[source]->frame(local, bound, cancel);
}

const QString &FrameSequence::pathOf(int index) const
{
    return paths_.at(qsizetype(locate(index).first));
}

} // namespace sources
